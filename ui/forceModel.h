#pragma once

#include "core/force.h"

#include <QAbstractTableModel>
#include <QString>

// The entries of a force as a table, one row each, for the force window's view and for
// screen readers: every cell is read with its column, Count is edited in place and In Play
// is its check state. The model holds the force the window shows.
namespace ivc::ui {

class ForceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Race, Type, Size, Points, Count, Total, InPlay, Columns };

    using QAbstractTableModel::QAbstractTableModel;

    const Force& force() const { return m_force; }
    // The whole force in place of the one shown.
    void setForce(const Force& force);
    // The force's name and limit, which no cell shows.
    void setName(std::string name) { m_force.setName(std::move(name)); }
    void setLimit(int limit) { m_force.setLimit(limit); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Count (1 to 99) and In Play; anything else, or a count out of range, changes nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // A count or in play changed in place, with the name of its undo step.
    void edited(const QString& step);

private:
    QVariant display(const ForceEntry& entry, int column) const;

    Force m_force;
};

// The name an entry goes by: its design's name, or "(no name)".
QString entryName(const ForceEntry& entry);

} // namespace ivc::ui
