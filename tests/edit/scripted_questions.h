#pragma once
// The editor's questions answered from a script: each list is taken from the front; when a
// list is empty the question is cancelled (or, for unsaved changes, answered Cancel).

#include "edit/window/questions.h"

#include <QList>
#include <QStringList>

class ScriptedQuestions : public ask::Questions {
public:
    QList<ask::AxisChange> axisChanges;
    QList<double> holds;
    QList<double> factors;
    QList<ask::PoseMove> poseMoves;
    QList<ask::Smoothing> smoothings;
    QList<ask::ExportChoice> exportChoices;
    QList<ask::Unsaved> unsaved;
    QStringList asked; // the unsaved-changes texts, in order

    std::optional<ask::AxisChange> axisChange(QWidget *, ask::AxisChange::Kind, int) override
    {
        return take(axisChanges);
    }
    std::optional<double> holdSeconds(QWidget *) override { return take(holds); }
    std::optional<double> slowFactor(QWidget *) override { return take(factors); }
    std::optional<ask::PoseMove> poseMove(QWidget *, const timing::Pose &, int,
                                          const ask::PoseAt &) override
    {
        return take(poseMoves);
    }
    std::optional<ask::Smoothing> smoothing(QWidget *) override { return take(smoothings); }
    std::optional<ask::ExportChoice> exportChoice(QWidget *) override
    {
        return take(exportChoices);
    }
    ask::Unsaved unsavedChanges(QWidget *, const QString &text) override
    {
        asked << text;
        return unsaved.isEmpty() ? ask::Unsaved::Cancel : unsaved.takeFirst();
    }

private:
    template <class T> static std::optional<T> take(QList<T> &list)
    {
        if (list.isEmpty())
            return std::nullopt;
        return list.takeFirst();
    }
};
