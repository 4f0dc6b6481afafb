#pragma once
// The Check list under the step list: the motion's breaches of the arm's profile (record, axis,
// rule, value), kept current after every edit and every change of the profile, with their count
// for the status bar. Working them out plays the whole motion, so it is done once the events of
// an edit are through rather than inside the keystroke, and a burst of changes is one check. A
// click on a row selects its step; a start-up row has none.

#include "core/edit/check_rows.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <QTimer>

class EditorProfile;
class MotionDocument;

class CheckModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Record, Axis, Rule, Value, Columns };
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<arm::Breach> rows);
    const std::vector<arm::Breach> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<arm::Breach> m_rows;
};

class CheckList : public QTableView {
    Q_OBJECT
public:
    CheckList(MotionDocument &document, const EditorProfile &profile,
              const config::Settings &settings, QWidget *parent = nullptr);

    // What the status bar says: the count, or why the motion could not be checked.
    const QString &summary() const { return m_summary; }

Q_SIGNALS:
    void summaryChanged(const QString &summary);
    // A row's step was selected, records[index]; the timeline brings it into view.
    void stepChosen(int index);

private:
    void recheck();
    void selectStep(const QModelIndex &index);

    MotionDocument &m_document;
    const EditorProfile &m_profile;
    config::Settings m_settings;
    CheckModel m_model;
    QTimer m_due;
    QString m_summary;
};
