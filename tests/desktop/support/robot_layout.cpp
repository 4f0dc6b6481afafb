#include "robot_layout.h"

#include "support/robot_harness.h"
#include "windows/robot/robot.h"
#include "windows/widgets/look.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace desktop {

// ---------------------------------------------------------------------------------------------
// RobotLayout

RobotLayout::RobotLayout()
{
    // The program's own look (style and fonts), so that its metrics are the ones measured.
    look::setUpApplication();
    RobotHarness h;
    robot &w = h.create();
    w.show();
    QApplication::processEvents();
    m_size = w.size();
    for (QWidget *c : w.findChildren<QWidget *>())
        if (!c->objectName().isEmpty() && c->isVisibleTo(&w))
            m_controls.insert(c->objectName(), QRect(c->mapTo(&w, QPoint(0, 0)), c->size()));
    QMenuBar *bar = w.menuBar();
    for (QMenu *m : w.findChildren<QMenu *>()) {
        const QRect title = bar->actionGeometry(m->menuAction());
        m_titles.insert(m->objectName(), QRect(bar->mapTo(&w, title.topLeft()), title.size()));
        m->ensurePolished();
        m_menus.insert(m->objectName(), m->sizeHint());
        for (QAction *a : m->actions())
            m_entries.insert(m->objectName() + QLatin1Char('/') + a->objectName(),
                             m->actionGeometry(a));
    }
    w.hide();
}

RobotLayout::~RobotLayout() = default;

QRect RobotLayout::control(const QString &name) const
{
    return m_controls.value(name);
}

QRect RobotLayout::menuTitle(const QString &menu) const
{
    return m_titles.value(menu);
}

QRect RobotLayout::menuEntry(const QString &menu, const QString &action) const
{
    return m_entries.value(menu + QLatin1Char('/') + action);
}

QSize RobotLayout::menuSize(const QString &menu) const
{
    return m_menus.value(menu);
}

// ---------------------------------------------------------------------------------------------
// Caption

Caption Caption::of(const QImage &button)
{
    // The middle rows only, and clear of the frame: the focus frame and the button's border
    // run along the edges, the text through the middle.
    Caption c;
    const int y0 = button.height() / 2 - 3, y1 = button.height() / 2 + 3;
    for (int x = 4; x < button.width() - 4; ++x)
        for (int y = std::max(0, y0); y <= std::min(button.height() - 1, y1); ++y) {
            const QRgb p = button.pixel(x, y);
            const int most = std::max({qRed(p), qGreen(p), qBlue(p)});
            // The face is near white, enabled text black, disabled text a mid grey.
            if (most >= 0xd8)
                continue;
            if (most < 0x80)
                ++c.dark;
            else
                ++c.grey;
            if (c.left < 0)
                c.left = x;
            c.right = x;
        }
    return c;
}

} // namespace desktop
