#include "edit/window/step_list.h"

#include "core/edit/motion_document.h"
#include "core/motion/axes.h"
#include "edit/window/lane_colours.h"

#include <QHeaderView>
#include <QItemSelectionModel>

StepModel::StepModel(MotionDocument &document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document)
{
    // A new set of records is a new list: resetting is cheaper than working out the rows an
    // edit moved, and an edit may move all of them.
    connect(&m_document, &MotionDocument::recordsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int StepModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_document.size();
}

int StepModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant StepModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_document.size())
        return {};
    const Step s = m_document.records()[size_t(index.row())];
    const timing::TimedStep *t = m_document.timed(index.row());
    const auto time = [t] {
        return t ? QStringLiteral("%1 s").arg(timing::seconds(t->startByte), 0, 'f', 3)
                 : QStringLiteral("not played");
    };
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Record:
            return index.row() + 1;
        case Axis:
            return axes::channelName(s.channel);
        case Position:
            return int(s.position);
        case Time:
            return time();
        }
    }
    // A screen reader reads a row as one sentence.
    if (role == Qt::AccessibleTextRole && index.column() == Record)
        return QStringLiteral("Record %1, %2 %3, %4")
            .arg(index.row() + 1)
            .arg(axes::channelName(s.channel))
            .arg(s.position)
            .arg(time());
    if (role == Qt::ForegroundRole && index.column() == Axis)
        return lanes::colour(std::min<int>(s.channel, axes::count)).darker(120);
    if (role == Qt::TextAlignmentRole && index.column() != Axis)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant StepModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Record:
        return QStringLiteral("Record");
    case Axis:
        return QStringLiteral("Axis");
    case Position:
        return QStringLiteral("Position");
    case Time:
        return QStringLiteral("Time");
    }
    return {};
}

StepList::StepList(MotionDocument &document, QWidget *parent)
    : QTableView(parent), m_document(document), m_model(document)
{
    setObjectName(QStringLiteral("stepList"));
    setAccessibleName(QStringLiteral("Step list"));
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // The edits work on one span of steps.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    verticalHeader()->hide();
    // Fixed rows: 12,010 rows are laid out without measuring each one.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(StepModel::Record, 70);
    setColumnWidth(StepModel::Position, 70);
    setColumnWidth(StepModel::Axis,
                   fontMetrics().horizontalAdvance(QStringLiteral("channel 255")) + 16);
    setMinimumWidth(70 + columnWidth(StepModel::Axis) + 70 + 90 + 24);
    setTabKeyNavigation(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &StepList::takeSelection);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &StepList::showSelection);
    connect(&m_document, &MotionDocument::selectionChanged, this, &StepList::showSelection);
}

void StepList::showSelection()
{
    if (m_showing)
        return;
    m_showing = true;
    const edits::Range r = m_document.selection();
    QItemSelectionModel *sm = selectionModel();
    if (r.count > 0) {
        const QItemSelection rows(m_model.index(r.first, 0),
                                  m_model.index(r.first + r.count - 1, StepModel::Columns - 1));
        sm->select(rows, QItemSelectionModel::ClearAndSelect);
        const QModelIndex first = m_model.index(r.first, 0);
        sm->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        scrollTo(first);
    } else {
        sm->clearSelection();
    }
    m_showing = false;
}

void StepList::takeSelection()
{
    if (m_showing)
        return;
    int first = -1, last = -1;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        first = first < 0 ? range.top() : std::min(first, range.top());
        last = std::max(last, range.bottom());
    }
    m_showing = true;
    if (first < 0) {
        const QModelIndex current = currentIndex();
        m_document.select({current.isValid() ? current.row() : m_document.selection().first, 0});
    } else {
        m_document.select({first, last - first + 1});
    }
    m_showing = false;
}
