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
    QList<ask::TimedMove> timedMoves;
    QList<tips::Request> tipMoves;
    QList<double> retimes;
    QStringList poseNames;
    QList<ask::Smoothing> smoothings;
    QList<ask::ExportChoice> exportChoices;
    QList<ask::Unsaved> unsaved;
    QStringList asked; // the unsaved-changes texts, in order
    // What the pose questions offered: the named poses' names, and the pose each Timed Move
    // dialog was opened on.
    QList<QStringList> namedOffered;
    QList<timing::Pose> timedShown;

    std::optional<ask::AxisChange> axisChange(QWidget *, ask::AxisChange::Kind, int) override
    {
        return take(axisChanges);
    }
    std::optional<double> holdSeconds(QWidget *) override { return take(holds); }
    std::optional<double> slowFactor(QWidget *) override { return take(factors); }
    std::optional<ask::PoseMove> poseMove(QWidget *, const timing::Pose &,
                                          const ask::PoseSources &sources) override
    {
        offered(sources);
        return take(poseMoves);
    }
    std::optional<ask::TimedMove> timedMove(QWidget *, const ask::TimedMoveSetup &s) override
    {
        offered(s.sources);
        timedShown << s.target;
        return take(timedMoves);
    }
    std::optional<tips::Request> tipMove(QWidget *, const ask::TipMoveSetup &) override
    {
        return take(tipMoves);
    }
    std::optional<double> retimeSeconds(QWidget *, double) override { return take(retimes); }
    std::optional<QString> poseName(QWidget *, const QStringList &) override
    {
        return take(poseNames);
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
    void offered(const ask::PoseSources &sources)
    {
        QStringList names;
        for (const arm::NamedPose &p : sources.named)
            names << p.name;
        namedOffered << names;
    }
    template <class T> static std::optional<T> take(QList<T> &list)
    {
        if (list.isEmpty())
            return std::nullopt;
        return list.takeFirst();
    }
};
