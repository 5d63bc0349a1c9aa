#include "grid/CellMarking.h"

#include <QLineEdit>
#include <QObject>

#include "grid/ValueListModel.h"
#include "grid/tarnekBaseListCtrl.h"
#include "model/PluginNumbers.h"

std::optional<std::string> GridLengthReason(const ListDescriptor& list, std::size_t columns, std::size_t declared)
{
    // The rule words its reason from a model; a probe with the grid's length and a level
    // count that declares the given size lets it speak about the grid.
    tarnekArrayStruct probe;
    const long long size = static_cast<long long>(declared);
    probe.levelCountText = std::to_string(list.length == LengthRule::Levels ? size - 1 : size * 3);
    probe.*list.list = ValueList(std::vector<std::string>(columns));
    return CheckListLength(list, probe);
}

void KeepGridMarked(tarnekBaseListCtrl* grid)
{
    grid->listModel()->Mark();
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
        box->setToolTip(QString::fromStdString(*reason));
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
