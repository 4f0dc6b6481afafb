#pragma once
// The step list beside the timeline: one row a record (record 1 included, which no pass plays),
// with its number as the movement file counts records, the axis, the position and the time its
// first byte goes out in the first pass. Its selection is the document's: rows picked here are
// selected on the timeline, a span dragged there is selected here.

#include <QAbstractTableModel>
#include <QTableView>

class MotionDocument;

class StepModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Record, Axis, Position, Time, Columns };
    explicit StepModel(MotionDocument &document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    MotionDocument &m_document;
};

class StepList : public QTableView {
    Q_OBJECT
public:
    explicit StepList(MotionDocument &document, QWidget *parent = nullptr);

private:
    void showSelection();
    void takeSelection();

    MotionDocument &m_document;
    StepModel m_model;
    bool m_showing = false;
};
