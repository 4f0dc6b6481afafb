#include "edit/window/check_list.h"

#include "core/edit/motion_document.h"
#include "core/motion/axes.h"
#include "edit/window/editor_profile.h"
#include "edit/window/lane_colours.h"

#include <QHeaderView>

void CheckModel::setRows(std::vector<arm::Breach> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CheckModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CheckModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant CheckModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const arm::Breach &b = m_rows[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Record:
            return checks::recordText(b);
        case Axis:
            return axes::channelName(b.channel);
        case Rule:
            return b.ruleName();
        case Value:
            return checks::valueText(b);
        }
    }
    // The whole sentence, for the pointer and for a screen reader.
    if (role == Qt::ToolTipRole || (role == Qt::AccessibleTextRole && index.column() == Record))
        return b.text();
    if (role == Qt::ForegroundRole && index.column() == Axis)
        return lanes::colour(std::min<int>(b.channel, axes::count)).darker(120);
    return {};
}

QVariant CheckModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Record:
        return QStringLiteral("Record");
    case Axis:
        return QStringLiteral("Axis");
    case Rule:
        return QStringLiteral("Rule");
    case Value:
        return QStringLiteral("Value");
    }
    return {};
}

CheckList::CheckList(MotionDocument &document, const EditorProfile &profile,
                     const config::Settings &settings, QWidget *parent)
    : QTableView(parent), m_document(document), m_profile(profile), m_settings(settings)
{
    setObjectName(QStringLiteral("checkList"));
    setAccessibleName(QStringLiteral("Check list"));
    setAccessibleDescription(QStringLiteral(
        "Where the motion leaves the arm's limits. Choosing a row selects its step."));
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    // Wide enough for the longest text each column holds; the value takes what is left.
    const auto fit = [this](const char *text) {
        return fontMetrics().horizontalAdvance(QLatin1String(text)) + 16;
    };
    setColumnWidth(CheckModel::Record, fit("Start-up"));
    setColumnWidth(CheckModel::Axis, fit("channel 255"));
    setColumnWidth(CheckModel::Rule, fit("table (tool point)"));
    setTabKeyNavigation(false);
    m_due.setSingleShot(true);
    m_due.setInterval(0);
    connect(&m_due, &QTimer::timeout, this, &CheckList::recheck);
    const auto due = [this] { m_due.start(); };
    connect(&m_document, &MotionDocument::recordsChanged, this, due);
    connect(&m_profile, &EditorProfile::changed, this, due);
    connect(this, &QAbstractItemView::clicked, this, &CheckList::selectStep);
    connect(this, &QAbstractItemView::activated, this, &CheckList::selectStep);
    recheck();
}

void CheckList::recheck()
{
    // An empty motion has nothing to play, which is no fault worth a line in the status bar.
    checks::Rows found;
    if (m_document.size() > 0)
        found = checks::motionRows(m_profile.profile(), m_document.records(), m_settings);
    const int count = int(found.rows.size());
    m_model.setRows(std::move(found.rows));
    if (m_document.size() == 0)
        m_summary.clear();
    else if (!found.error.isEmpty())
        m_summary = QStringLiteral("Limits not checked: %1").arg(found.error);
    else
        m_summary = checks::countText(count);
    Q_EMIT summaryChanged(m_summary);
}

void CheckList::selectStep(const QModelIndex &index)
{
    if (!index.isValid() || index.row() >= m_model.rowCount())
        return;
    const int record = m_model.rows()[size_t(index.row())].record;
    // Record N is records[N - 1]; start-up is no step of the motion.
    if (record < 1 || record > m_document.size())
        return;
    m_document.select({record - 1, 1});
    Q_EMIT stepChosen(record - 1);
}
