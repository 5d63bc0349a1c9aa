#include "CellMarking.h"

#include <QLineEdit>
#include <QObject>
#include <QTableWidget>

#include "PluginNumbers.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekCtrlStruct.h"

namespace {

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

const ListDescriptor* ListOfGrid(const tarnekBaseListCtrl* grid)
{
    const int code = grid->targetCode();
    if (code < 0 || static_cast<std::size_t>(code) >= kListCount)
        return nullptr;
    return &ValueLists()[static_cast<std::size_t>(code)];
}

void MarkCell(QTableWidgetItem* cell, ArrayKind kind, const std::optional<std::string>& lengthReason)
{
    const auto textReason = CheckPluginNumber(cell->text().toStdString(), kind);
    QStringList reasons;
    if (textReason)
        reasons.append(ToQString(*textReason));
    if (lengthReason)
        reasons.append(ToQString(*lengthReason));
    if (textReason)
        cell->setBackground(kRejectedTextTint);
    else if (lengthReason)
        cell->setBackground(kWrongLengthTint);
    else
        cell->setData(Qt::BackgroundRole, QVariant());
    if (reasons.isEmpty())
        cell->setData(Qt::ToolTipRole, QVariant());
    else
        cell->setToolTip(reasons.join(QLatin1Char('\n')));
}

std::optional<std::string> LengthReason(const ListDescriptor& list, int columns, std::size_t declared)
{
    // The rule words its reason from a model; a probe with the grid's length and a level
    // count that declares the given size lets it speak about the grid.
    tarnekArrayStruct probe;
    const long long size = static_cast<long long>(declared);
    probe.levelCountText = std::to_string(list.length == LengthRule::Levels ? size - 1 : size * 3);
    probe.*list.list = ValueList(std::vector<std::string>(static_cast<std::size_t>(std::max(columns, 0))));
    return CheckListLength(list, probe);
}

// Lives as a child of its grid and marks what the grid's model reports as changed.
class GridMarking final : public QObject {
    Q_OBJECT

public:
    GridMarking(tarnekBaseListCtrl* grid, std::size_t declared) : QObject(grid), grid_(grid), declared_(declared)
    {
        QAbstractItemModel* model = grid->model();
        connect(model, &QAbstractItemModel::dataChanged, this, &GridMarking::onDataChanged);
        connect(model, &QAbstractItemModel::columnsInserted, this, &GridMarking::markAll);
        connect(model, &QAbstractItemModel::columnsRemoved, this, &GridMarking::markAll);
        connect(model, &QAbstractItemModel::rowsInserted, this, &GridMarking::markAll);
        markAll();
    }

    void setDeclared(std::size_t declared)
    {
        declared_ = declared;
        markAll();
    }

    void markAll() { MarkGrid(grid_, declared_); }

private:
    void onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
    {
        // The marks themselves change the tint and tooltip roles; only text counts.
        if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole) && !roles.contains(Qt::EditRole))
            return;
        const ListDescriptor* list = ListOfGrid(grid_);
        if (list == nullptr || topLeft.row() > 0)
            return;
        const auto lengthReason = LengthReason(*list, grid_->columnCount(), declared_);
        for (int c = topLeft.column(); c <= bottomRight.column(); ++c) {
            if (QTableWidgetItem* cell = grid_->item(0, c))
                MarkCell(cell, list->kind, lengthReason);
        }
    }

    tarnekBaseListCtrl* grid_;
    std::size_t declared_;
};

} // namespace

std::optional<std::string> CheckGridLength(const ListDescriptor& list, int columns, const tarnekArrayStruct& model)
{
    return LengthReason(list, columns, DeclaredArraySize(list, model));
}

void MarkGrid(tarnekBaseListCtrl* grid, std::size_t declaredSize)
{
    const ListDescriptor* list = ListOfGrid(grid);
    if (list == nullptr || grid->rowCount() == 0)
        return;
    const auto lengthReason = LengthReason(*list, grid->columnCount(), declaredSize);
    grid->setToolTip(lengthReason ? ToQString(*lengthReason) : QString());
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (QTableWidgetItem* cell = grid->item(0, c))
            MarkCell(cell, list->kind, lengthReason);
    }
}

void KeepGridMarked(tarnekBaseListCtrl* grid, const tarnekArrayStruct& model)
{
    const ListDescriptor* list = ListOfGrid(grid);
    if (list == nullptr)
        return;
    const std::size_t declared = DeclaredArraySize(*list, model);
    if (auto* existing = grid->findChild<GridMarking*>(QString(), Qt::FindDirectChildrenOnly))
        existing->setDeclared(declared);
    else
        new GridMarking(grid, declared);
}

void MarkTableGrids(const tarnekCtrlStruct& table)
{
    if (table.model == nullptr)
        return;
    for (tarnekBaseListCtrl* grid : table.grids) {
        if (grid != nullptr)
            KeepGridMarked(grid, *table.model);
    }
}

std::optional<std::string> CheckPluginParameter(TextField field, const std::string& text)
{
    if (field == DevotionValue().text)
        return CheckPluginNumber(text, ArrayKind::Integer);
    for (const ParameterDescriptor& p : Parameters()) {
        if (p.text == field && p.isChance()) {
            // The normalisation turns blanks and numbers into what the plugin takes, but it
            // also turns "0,5" into 1.0 without a word: a text that is no number is marked
            // for what it is.
            const std::string written = tarnekArrayStruct::NormalizeChanceText(text);
            const auto raw = CheckPluginNumber(text, ArrayKind::Float);
            const bool blank = text.find_first_not_of(" \t") == std::string::npos;
            const bool number = !raw || !CheckPluginNumber(text, ArrayKind::Integer);
            auto reason = blank || number ? CheckPluginNumber(written, ArrayKind::Float) : raw;
            if (reason && written != text)
                *reason += " В плагин попадёт «" + written + "».";
            return reason;
        }
    }
    return std::nullopt;
}

void MarkParameterBox(QLineEdit* box, const std::optional<std::string>& reason)
{
    if (reason) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, kRejectedTextTint);
        box->setPalette(palette);
        box->setToolTip(ToQString(*reason));
    } else {
        // An empty palette hands the box back to the one it inherits.
        box->setPalette(QPalette());
        box->setToolTip(QString());
    }
}

void KeepBoxMarked(QLineEdit* box, TextField field)
{
    MarkParameterBox(box, CheckPluginParameter(field, box->text().toStdString()));
    QObject::connect(box, &QLineEdit::textChanged, box, [box, field](const QString& text) {
        MarkParameterBox(box, CheckPluginParameter(field, text.toStdString()));
    });
}

std::size_t CountMarkedForCompile(const tarnekArrayStruct& model)
{
    std::size_t marked = CountMarkedTexts(model);
    for (const ParameterDescriptor& p : Parameters()) {
        if (p.isChance() && CheckPluginParameter(p.text, model.*p.text))
            ++marked;
    }
    return marked;
}

QString MarkedCountNote(std::size_t marked)
{
    if (marked == 0)
        return QString();
    return QStringLiteral("Помечено значений, которые компилятор плагина не примет: %1. "
                          "Наведите указатель на подкрашенную ячейку, чтобы узнать причину.")
        .arg(marked);
}

#include "CellMarking.moc"
