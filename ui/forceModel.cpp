#include "ui/forceModel.h"

#include <QApplication>
#include <QPalette>

#include <array>

namespace ivc::ui {
namespace {

constexpr std::array<const char*, ForceModel::Columns> kHeadings = {
    "Name", "Race", "Type", "Size", "Points", "Count", "Total", "In Play"};

QString heading(int column) {
    return QString::fromLatin1(kHeadings[static_cast<std::size_t>(column)]);
}

bool isNumber(int column) {
    return column == ForceModel::Points || column == ForceModel::Count ||
           column == ForceModel::Total;
}

} // namespace

QString entryName(const ForceEntry& entry) {
    const std::string& name = entry.design->name;
    return name.empty() ? QStringLiteral("(no name)") : QString::fromStdString(name);
}

void ForceModel::setForce(const Force& force) {
    beginResetModel();
    m_force = force;
    endResetModel();
}

int ForceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_force.size());
}

int ForceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant ForceModel::display(const ForceEntry& entry, int column) const {
    const Design& d = *entry.design;
    switch (column) {
    case Name:
        return entryName(entry);
    case Race:
        return QString::fromStdString(d.race);
    case Type:
        return QString::fromStdString(d.type);
    case Size:
        return QString::fromStdString(d.size);
    case Points:
        return QString::fromStdString(withThousands(entry.points));
    case Count:
        return entry.count;
    case Total:
        return QString::fromStdString(withThousands(entry.total()));
    default:
        return {};
    }
}

QVariant ForceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ForceEntry& entry = m_force.entries()[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return display(entry, column);
    case Qt::CheckStateRole:
        return column == InPlay ? QVariant(entry.inPlay ? Qt::Checked : Qt::Unchecked) : QVariant();
    // A screen reader hears each cell with its column: "Count: 3", "In Play: no".
    case Qt::AccessibleTextRole: {
        const QString value = column == InPlay
                                  ? (entry.inPlay ? QStringLiteral("yes") : QStringLiteral("no"))
                                  : display(entry, column).toString();
        return heading(column) + QStringLiteral(": ") + value;
    }
    case Qt::AccessibleDescriptionRole:
        return entry.inPlay ? QString() : QStringLiteral("Not in play: counts for nothing");
    // Out of play it stays listed, greyed.
    case Qt::ForegroundRole:
        return entry.inPlay
                   ? QVariant()
                   : QVariant(QApplication::palette().brush(QPalette::Disabled, QPalette::Text));
    case Qt::TextAlignmentRole:
        return isNumber(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}

QVariant ForceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section < Columns ? heading(section) : QVariant();
}

Qt::ItemFlags ForceModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == Count)
        f |= Qt::ItemIsEditable;
    if (index.column() == InPlay)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool ForceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount())
        return false;
    const auto row = static_cast<std::size_t>(index.row());
    const QString name = entryName(m_force.entries()[row]);
    QString step;
    if (index.column() == Count && role == Qt::EditRole) {
        bool ok = false;
        const int count = value.toInt(&ok);
        if (!ok || count == m_force.entries()[row].count || !m_force.setCount(row, count))
            return false;
        step = QStringLiteral("Count %1, %2").arg(count).arg(name);
    } else if (index.column() == InPlay && role == Qt::CheckStateRole) {
        const bool on = value.value<Qt::CheckState>() == Qt::Checked;
        if (on == m_force.entries()[row].inPlay)
            return false;
        m_force.setInPlay(row, on);
        step = (on ? QStringLiteral("In Play, ") : QStringLiteral("Out of Play, ")) + name;
    } else {
        return false;
    }
    // The whole row: its total, and the grey of an entry out of play.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), Columns - 1));
    emit edited(step);
    return true;
}

} // namespace ivc::ui
