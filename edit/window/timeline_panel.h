#pragma once
// The timeline with its scroll bar and the line under it that reads out what the pointer is
// over (time, record, the five positions, the tool point and its pitch), and the motion's length
// with the note that only the first pass is timed.

#include <QWidget>

class EditorProfile;
class MotionDocument;
class QLabel;
class QScrollBar;
class TimelineView;

class TimelinePanel : public QWidget {
    Q_OBJECT
public:
    TimelinePanel(MotionDocument &document, const EditorProfile &profile,
                  QWidget *parent = nullptr);
    TimelineView *view() const { return m_view; }

private:
    void showView();
    void showDuration();

    MotionDocument &m_document;
    TimelineView *m_view;
    QScrollBar *m_scroll;
    QLabel *m_pointer;
    QLabel *m_duration;
    bool m_showing = false;
};
