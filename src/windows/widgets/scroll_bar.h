#pragma once
// A scroll bar with the classic Min, Max and Value, where Min may lie above Max: the shoulder,
// wrist and grip sliders run from 255 at the left or top to 0 at the right or bottom. QScrollBar
// cannot hold such a range, and its inverted modes send the arrow buttons the wrong way, so the
// bar keeps Qt's own range 0..|Max - Min| with 0 at the Min end and maps Value onto it. Arrows,
// trough clicks, keys and drags then all move towards the end they point at.

#include <QScrollBar>
#include <QStyle>

class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    ScrollBar(Qt::Orientation orientation, int min, int max, int value, QWidget *parent = nullptr);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Value() const;
    // Sets the position. A value outside Min..Max is refused (false) and changes nothing.
    bool setValueTo(int value);

    bool contains(int value) const;

Q_SIGNALS:
    // The position changed: an arrow or trough click, a key, the program, or the release of a
    // thumb that was dragged (then with the position it was released at, even when that is
    // where the drag began).
    void change(int value);
    // The thumb is being dragged; raised for each position it passes.
    void scroll(int value);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect part(QStyle::SubControl control) const;
    int toQt(int value) const;
    int fromQt(int q) const;
    void onQtValue(int q);
    void onReleased();

    int m_min;
    int m_max;
    bool m_dragMoved = false; // the thumb held now, or released last, has scrolled
    QRect m_thumbPainted;     // where the thumb stands on screen
};
