#include "app/XpTables.h"

#include <algorithm>

#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>

#include "grid/CellMarking.h"
#include "grid/ConfigurationEditCommand.h"
#include "grid/SessionSignals.h"
#include "grid/tarnekBaseListCtrl.h"
#include "grid/tarnekCtrlStruct.h"
#include "widgets/DialogUnits.h"
#include "widgets/DigitsOnlyFilter.h"
#include "widgets/FillButtonImage.h"
#include "widgets/FillButtonTip.h"
#include "widgets/QtText.h"

namespace {

// Rectangles in dialog units: x, y, width, height.
struct UnitRect {
    int x, y, width, height;
};

struct ParameterLayout {
    const char* label;
    bool centredLabel;
    UnitRect labelBox;
    UnitRect edit;
    bool digitsOnly;
};

// One XP table of the window; band i shows the list of target code i.
struct XpBandLayout {
    const char* frame;
    UnitRect frameBox;
    UnitRect grid;
    std::array<ParameterLayout, 2> parameters;  // the list's first and second fill parameter
    UnitRect fillButton;
};

constexpr std::array<XpBandLayout, XpTables::kTables> kXpBands{{
    {"Не сохраняемые XP (kq4_save_xp 0)",
     {62, 7, 781, 51},
     {82, 17, 758, 35},
     {{{"Приращение:", false, {9, 7, 50, 26}, {14, 16, 40, 14}, true},
       {"Исходное:", true, {7, 32, 52, 26}, {14, 41, 40, 14}, true}}},
     {64, 28, 16, 16}},
    {"Сохраняемые XP (kq4_save_xp 1)",
     {62, 65, 780, 51},
     {82, 75, 757, 35},
     {{{"Множитель:", false, {9, 64, 50, 26}, {13, 73, 40, 14}, false},
       {"Исходное:", true, {8, 89, 52, 27}, {13, 99, 40, 14}, true}}},
     {63, 86, 16, 16}},
    {"Не сохраняемые XP за убийство (kq4_save_xp 0)",
     {62, 121, 780, 51},
     {82, 132, 757, 35},
     {{{"Приращение:", false, {9, 120, 51, 25}, {14, 129, 40, 14}, true},
       {"Исходное:", true, {8, 145, 52, 27}, {14, 155, 40, 14}, true}}},
     {63, 139, 16, 16}},
    {"Сохраняемые XP за убийство (kq4_save_xp 1)",
     {62, 177, 780, 51},
     {82, 188, 757, 35},
     {{{"Приращение:", false, {9, 177, 51, 26}, {15, 186, 40, 14}, true},
       {"Исходное:", true, {9, 202, 52, 27}, {15, 211, 40, 14}, true}}},
     {63, 197, 16, 16}},
}};

// The XP tables; the row of actions (ActionRow) lies under the chart.
constexpr UnitRect kDialogSize{0, 0, 850, 232};
// What a parameter box is for, by its label.
QString ParameterTip(const char* label)
{
    const std::string_view l(label);
    const char* what = l == "Множитель:" ? "Во сколько раз растёт прибавка опыта от уровня к уровню"
                       : l == "Исходное:" ? "Значение, с которого начинается таблица"
                                          : "На сколько растёт значение от уровня к уровню";
    return ToQString(what) + ToQString(". Его читают заливка таблицы и «Создать уровни»; сохраняет «Сохранить».");
}

QRect Place(const DialogUnits& units, const UnitRect& r)
{
    return units.Map(r.x, r.y, r.width, r.height);
}

const ListDescriptor& XpList(int targetCode)
{
    return ValueLists()[static_cast<std::size_t>(targetCode)];
}

TextField XpParameter(int box)
{
    const ListDescriptor& list = XpList(box / 2);
    return box % 2 == 0 ? list.firstParameter : list.secondParameter;
}

// Gives the XP tables (frame and grid) whatever the form is wider than its dialog-unit
// width, so that a widened or maximised window shows more levels.
class XpTablesFollowWidth final : public QObject {
public:
    XpTablesFollowWidth(QWidget* form, const QList<QWidget*>& stretched) : QObject(form), form_(form)
    {
        for (QWidget* w : stretched)
            widths_.append({w, w->width()});
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == form_ && event->type() == QEvent::Resize) {
            const int extra = std::max(0, form_->width() - form_->minimumWidth());
            for (const auto& [widget, width] : widths_)
                widget->resize(width + extra, widget->height());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* form_;
    QList<QPair<QWidget*, int>> widths_;
};

}  // namespace

XpTables::XpTables(const DialogUnits& units, SessionSignals& session, QUndoStack& undo, tarnekCtrlStruct& table,
                   QWidget* parent)
    : QWidget(parent), session_(session), undo_(undo)
{
    // The controls keep where the dialog units put them; the XP tables alone take any
    // width the window has beyond the form's.
    setObjectName(QStringLiteral("xpForm"));
    const QSize formSize = Place(units, kDialogSize).size();
    setMinimumSize(formSize);
    setMaximumHeight(formSize.height());

    auto frame = [this, &units](const char* title, const UnitRect& box, bool centred) {
        auto* group = new QGroupBox(ToQString(title), this);
        group->setGeometry(Place(units, box));
        if (centred)
            group->setAlignment(Qt::AlignHCenter);
        return group;
    };

    // Frames first: later siblings are drawn over them.
    for (std::size_t code = 0; code < kXpBands.size(); ++code) {
        const XpBandLayout& band = kXpBands[code];
        frames_[code] = frame(band.frame, band.frameBox, false);
        for (const ParameterLayout& p : band.parameters)
            frame(p.label, p.labelBox, p.centredLabel);
    }

    auto* digitsOnly = new DigitsOnlyFilter(this);
    connect(digitsOnly, &DigitsOnlyFilter::refused, this, &XpTables::digitsRefused);
    for (int code = 0; code < kTables; ++code) {
        const XpBandLayout& band = kXpBands[static_cast<std::size_t>(code)];
        auto* grid = new tarnekBaseListCtrl(code, session, undo, this);
        grid->setGeometry(Place(units, band.grid));
        grids_[static_cast<std::size_t>(code)] = grid;
        table.BindGrid(grid);
        KeepGridMarked(grid);

        for (std::size_t p = 0; p < band.parameters.size(); ++p) {
            auto* edit = new QLineEdit(this);
            edit->setGeometry(Place(units, band.parameters[p].edit));
            edit->setAlignment(Qt::AlignCenter);
            edit->setToolTip(ParameterTip(band.parameters[p].label));
            if (band.parameters[p].digitsOnly)
                edit->installEventFilter(digitsOnly);
            const int box = 2 * code + static_cast<int>(p);
            edit->setText(QString::fromStdString(session.configuration().*XpParameter(box)));
            boxes_[static_cast<std::size_t>(box)] = edit;
            connect(edit, &QLineEdit::editingFinished, this, [this, box] { CommitBox(box); });
            connect(edit, &QLineEdit::textChanged, this, [this, box] { UpdateFillTip(box / 2); });
        }

        auto* fill = new QPushButton(this);
        fill->setGeometry(Place(units, band.fillButton));
        SetFillButtonImage(fill);
        fillButtons_[static_cast<std::size_t>(code)] = fill;
        connect(fill, &QPushButton::clicked, this, [this, code] { emit fillRequested(code); });
    }

    QList<QWidget*> stretched;
    for (int code = 0; code < kTables; ++code)
        stretched << frames_[static_cast<std::size_t>(code)] << grids_[static_cast<std::size_t>(code)];
    new XpTablesFollowWidth(this, stretched);
    connect(&session, &SessionSignals::changed, this, &XpTables::Follow);
}

QString XpTables::Title(int targetCode)
{
    return ToQString(kXpBands.at(static_cast<std::size_t>(targetCode)).frame);
}

std::vector<TextAssignment> XpTables::BoxTexts() const
{
    std::vector<TextAssignment> texts;
    for (int box = 0; box < kParameters; ++box)
        texts.emplace_back(XpParameter(box), parameterBox(box)->text().toStdString());
    return texts;
}

void XpTables::CommitBoxes()
{
    // The level count waits for "Создать уровни".
    PushEdit(undo_, session_.session(), ToQString("изменение параметров"),
             [texts = BoxTexts()](EditingSession& session) { return session.SetTexts(texts); });
}

void XpTables::CommitBox(int box)
{
    PushEdit(undo_, session_.session(), ToQString("изменение параметра"),
             [text = XpParameter(box), value = parameterBox(box)->text().toStdString()](EditingSession& session) {
                 return session.SetTexts({{text, value}});
             });
}

void XpTables::UpdateFillTip(int targetCode)
{
    fillButton(targetCode)
        ->setToolTip(FillButtonTip(XpList(targetCode), parameterBox(2 * targetCode)->text(),
                                   parameterBox(2 * targetCode + 1)->text()));
}

// Only where the change reached, so that nothing typed in another box is overwritten.
void XpTables::Follow(const ConfigurationEdit& edit, ChangeCause cause)
{
    const tarnekArrayStruct& model = session_.configuration();
    for (int box = 0; box < kParameters; ++box)
        if (cause == ChangeCause::ReadAgain || Touches(edit, XpParameter(box)))
            parameterBox(box)->setText(QString::fromStdString(model.*XpParameter(box)));
}
