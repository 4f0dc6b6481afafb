#pragma once
// A look at the help as a reader sees it: the help window opened on a help folder, every topic
// selected in turn and grabbed page by page, and a list of what does not fit.

#include <QString>

namespace shots {

// Writes topic-NN-P.png into `out` for every topic and page of the help in `helpFolder`, and
// prints the text lines wider than the text area and the captions that are not unique.
// 0 when everything fits.
int reviewHelp(const QString &helpFolder, const QString &out);

} // namespace shots
