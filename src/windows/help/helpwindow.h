#pragma once
// The help window: one option per topic of the help file on the left; the selected topic's
// picture, title and a page of its text on the right, with a scroll bar that moves the page a
// line at a time. It reads the help file when it is made and is discarded when it is closed, so
// each opening shows the file as it is then. It changes nothing in the rest of the program.

#include "core/help/help_file.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QRadioButton;
class QScrollBar;

// A black area in which lines are written from the top-left corner, as on a printed page.
class HelpTextArea : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QStringList lines READ lines)

public:
    explicit HelpTextArea(QWidget *parent = nullptr);

    QStringList lines() const { return m_lines; }
    void clear();
    void writeLines(const QStringList &lines);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_lines;
};

class helpwindow : public QWidget {
    Q_OBJECT

public:
    explicit helpwindow(const QString &helpFolder, QWidget *parent = nullptr);

    // Shows the topic whose option carries this caption: its title, picture and first page.
    void disptopic(const QString &caption);
    // Shows the page that starts at this line of the help file.
    void dispselected(int firstLine);

    // The lines the text area shows now.
    QStringList shownLines() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void buildPictures(); // the topic template, the topic's picture and its page
    void buildLabels();
    void buildScrollBar();
    void load();
    void addTopicOption(int j, const help::Topic &topic);
    void Option1_Click(int index);
    void VScroll1_Change();
    void showPicture(const QString &fileName);

    QString m_helpFolder;
    help::HelpFile m_file;
    QList<help::Topic> m_topics;
    bool m_placed = false;

    QRadioButton *m_optionTemplate = nullptr; // element 0, never shown
    QList<QRadioButton *> m_options;          // elements 1, 2, ...
    QLabel *Picture1 = nullptr;
    HelpTextArea *Picture2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QScrollBar *VScroll1 = nullptr;
};
