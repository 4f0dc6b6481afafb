#pragma once
// The timeline: one lane per axis with the position (0 at the bottom, 255 at the top) over the
// first pass's time, and a lane for the steps on other channels, which a replay sends and which
// move no axis. Time runs in bytes on the line, so what is drawn is where the pass's bytes fall.
// The wheel zooms about the pointer (with Shift it pans); + and - zoom, the arrows pan, 0 fits
// the whole motion. Dragging selects the steps played in the dragged span; a click selects one.
// Each axis's lane is shaded faintly where its positions leave the arm's limits, and each timed
// move of the session shows as a faint band with its eased path over the steps it became.

#include <QWidget>

class EditorProfile;
class MotionDocument;
class QPainter;

class TimelineView : public QWidget {
    Q_OBJECT
public:
    TimelineView(MotionDocument &document, const EditorProfile &profile, QWidget *parent = nullptr);

    QSize sizeHint() const override { return {720, 6 * 56}; }
    QSize minimumSizeHint() const override { return {240, 6 * 28}; }

    // The view: the byte at the left edge of the plot and the bytes one pixel spans.
    double leftByte() const { return m_left; }
    double bytesPerPixel() const { return m_bytesPerPixel; }
    double visibleBytes() const { return plotWidth() * m_bytesPerPixel; }
    qint64 totalBytes() const;
    void setLeftByte(double byte);
    void zoomBy(double factor, double aboutX);
    void fitAll();

    // Pans, when records[index] is out of view, to put it in the middle.
    void reveal(int index);
    // Where the preview is playing; -1 when it is not.
    void setPlayhead(qint64 byte);

    // Geometry, for tests and the panel: where a byte is drawn and which byte is at x.
    int plotLeft() const { return nameWidth; }
    int plotWidth() const { return std::max(1, width() - nameWidth); }
    double xOf(double byte) const { return plotLeft() + (byte - m_left) / m_bytesPerPixel; }
    double byteAt(double x) const { return m_left + (x - plotLeft()) * m_bytesPerPixel; }

    // What the pointer is over: time, record, the five positions and where they put the tool
    // point, as a line of text.
    QString readout(int x) const;

Q_SIGNALS:
    void viewChanged();
    void pointerAt(const QString &readout);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    static constexpr int nameWidth = 76;
    static constexpr int lanes = 6;

    void clampView();
    void recordsChanged();
    // The record index played at x, for clicks and drags (-1 when none is played).
    int indexAtX(int x) const;
    void selectBetween(int x0, int x1);
    QRectF lane(int i) const;
    void paintSelection(QPainter &p) const;
    void paintLanes(QPainter &p) const;

    MotionDocument &m_document;
    const EditorProfile &m_profile;
    double m_left = 0;
    double m_bytesPerPixel = 1;
    bool m_fitted = true; // follows the motion's length until the operator zooms or pans
    qint64 m_playhead = -1;
    int m_pointerX = -1;
    int m_pressX = -1;
    bool m_dragging = false;
};
