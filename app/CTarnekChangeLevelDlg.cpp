#include "CTarnekChangeLevelDlg.h"

#include <exception>
#include <system_error>

#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include "Descriptors.h"
#include "DialogUnits.h"
#include "DigitsOnlyFilter.h"
#include "FillButtonImage.h"
#include "GridOperations.h"
#include "LevelCombo.h"
#include "MainWindowCurves.h"
#include "PluginCompiler.h"
#include "SkillDialogLauncher.h"
#include "TextReadings.h"
#include "UserMessageBox.h"
#include "WebAddress.h"
#include "tarnekBaseListCtrl.h"
#include "vloxBuildTarnekStruct.h"

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

constexpr std::array<XpBandLayout, CTarnekChangeLevelDlg::kXpTables> kXpBands{{
    {"Не сохраняемые XP (kq4_save_xp 0)", {62, 7, 781, 51}, {82, 17, 758, 35},
     {{{"Приращение:", false, {9, 7, 50, 26}, {14, 16, 40, 14}, true},
       {"Исходное:", true, {7, 32, 52, 26}, {14, 41, 40, 14}, true}}},
     {64, 28, 16, 16}},
    {"Сохраняемые XP (kq4_save_xp 1)", {62, 65, 780, 51}, {82, 75, 757, 35},
     {{{"Множитель:", false, {9, 64, 50, 26}, {13, 73, 40, 14}, false},
       {"Исходное:", true, {8, 89, 52, 27}, {13, 99, 40, 14}, true}}},
     {63, 86, 16, 16}},
    {"Не сохраняемые XP за убийство (kq4_save_xp 0)", {62, 121, 780, 51}, {82, 132, 757, 35},
     {{{"Приращение:", false, {9, 120, 51, 25}, {14, 129, 40, 14}, true},
       {"Исходное:", true, {8, 145, 52, 27}, {14, 155, 40, 14}, true}}},
     {63, 139, 16, 16}},
    {"Сохраняемые XP за убийство (kq4_save_xp 1)", {62, 177, 780, 51}, {82, 188, 757, 35},
     {{{"Приращение:", false, {9, 177, 51, 26}, {15, 186, 40, 14}, true},
       {"Исходное:", true, {9, 202, 52, 27}, {15, 211, 40, 14}, true}}},
     {63, 197, 16, 16}},
}};

struct ButtonLayout {
    const char* text;
    UnitRect box;
};

constexpr UnitRect kDialogSize{0, 0, 850, 305};
constexpr int kDialogPointSize = 8;
constexpr UnitRect kLevelFrame{12, 232, 85, 32};
constexpr UnitRect kLevelCombo{18, 244, 71, 12};
constexpr ButtonLayout kCreateLevels{"Создать уровни", {101, 239, 84, 20}};
constexpr UnitRect kSkillFrame{188, 232, 309, 32};
constexpr std::array<ButtonLayout, 4> kSkillButtons{{
    {"Скилы 1 уровня", {197, 243, 70, 16}},
    {"Скилы 2 уровня", {271, 243, 70, 16}},
    {"Скилы 3 уровня", {345, 243, 70, 16}},
    {"Скилы 4 уровня", {419, 243, 70, 16}},
}};
constexpr UnitRect kSiteFrame{500, 232, 144, 32};
constexpr UnitRect kLink{507, 246, 130, 12};
constexpr ButtonLayout kCompile{"Компилировать плагин", {338, 271, 107, 20}};
constexpr ButtonLayout kExit{"Выход", {460, 271, 50, 20}};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
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

}  // namespace

CTarnekChangeLevelDlg::CTarnekChangeLevelDlg(QWidget* parent)
    : DialogBase(parent),
      model_(std::make_unique<tarnekArrayStruct>()),
      sink_(this),
      db_(std::make_unique<vloxBuildTarnekStruct>(sink_)),
      icon_(ApplicationIcon())
{
    BuildControls();
    initialised_ = OnInitDialog();
    SetActionsEnabled(initialised_);
    AddMainWindowCurves(*this);
}

CTarnekChangeLevelDlg::~CTarnekChangeLevelDlg()
{
    db_->CloseDatabase();
    db_.reset();
    ctrl_.DeleteEditor();
    ctrl_.model = nullptr;
    model_.reset();
}

void CTarnekChangeLevelDlg::BuildControls()
{
    setWindowTitle(Text("Редактор уровней мода VLOX Tarnek MOD для Counter-Strike 1.6 (Версия 3.0)"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    QFont dialogFont = font();
    dialogFont.setPointSize(kDialogPointSize);
    setFont(dialogFont);
    const DialogUnits units{QFontMetrics(dialogFont)};
    resize(Place(units, kDialogSize).size());

    auto frame = [this, &units](const char* title, const UnitRect& box, bool centred) {
        auto* group = new QGroupBox(Text(title), this);
        group->setGeometry(Place(units, box));
        if (centred)
            group->setAlignment(Qt::AlignHCenter);
    };
    auto button = [this, &units](const ButtonLayout& layout) {
        auto* b = new QPushButton(Text(layout.text), this);
        b->setGeometry(Place(units, layout.box));
        return b;
    };

    // Frames first: later siblings are drawn over them.
    for (const XpBandLayout& band : kXpBands) {
        frame(band.frame, band.frameBox, false);
        for (const ParameterLayout& p : band.parameters)
            frame(p.label, p.labelBox, p.centredLabel);
    }
    frame("Количество уровней", kLevelFrame, false);
    frame("Настройка скилов", kSkillFrame, false);
    frame("Посетите сайт:", kSiteFrame, false);

    auto* digitsOnly = new DigitsOnlyFilter(this);
    for (int code = 0; code < kXpTables; ++code) {
        const XpBandLayout& band = kXpBands[static_cast<std::size_t>(code)];
        auto* grid = new tarnekBaseListCtrl(code, this);
        grid->setGeometry(Place(units, band.grid));
        grids_[static_cast<std::size_t>(code)] = grid;
        ctrl_.BindGrid(grid);

        for (std::size_t p = 0; p < band.parameters.size(); ++p) {
            auto* edit = new QLineEdit(this);
            edit->setGeometry(Place(units, band.parameters[p].edit));
            edit->setAlignment(Qt::AlignCenter);
            if (band.parameters[p].digitsOnly)
                edit->installEventFilter(digitsOnly);
            parameterBoxes_[static_cast<std::size_t>(2 * code) + p] = edit;
        }

        auto* fill = new QPushButton(this);
        fill->setGeometry(Place(units, band.fillButton));
        SetFillButtonImage(fill);
        fillButtons_[static_cast<std::size_t>(code)] = fill;
        connect(fill, &QPushButton::clicked, this, [this, code] { OnFillXp(code); });
    }

    levelCombo_ = new QComboBox(this);
    levelCombo_->setGeometry(Place(units, kLevelCombo));
    createLevelsButton_ = button(kCreateLevels);
    connect(createLevelsButton_, &QPushButton::clicked, this, &CTarnekChangeLevelDlg::OnCreateLevels);

    for (int tier = 1; tier <= 4; ++tier) {
        QPushButton* b = button(kSkillButtons[static_cast<std::size_t>(tier - 1)]);
        skillButtons_[static_cast<std::size_t>(tier - 1)] = b;
        connect(b, &QPushButton::clicked, this, [this, tier] { OnSkillTier(tier); });
    }

    link_ = new QLabel(this);
    link_->setGeometry(Place(units, kLink));
    link_->setText(QStringLiteral("<a href=\"%1\">%2</a> %3")
                       .arg(SiteAddress().toHtmlEscaped(), Text("Официальный сайт"), SiteName().toHtmlEscaped()));
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link_, &QLabel::linkActivated, this, &CTarnekChangeLevelDlg::OnLink);

    compileButton_ = button(kCompile);
    connect(compileButton_, &QPushButton::clicked, this, &CTarnekChangeLevelDlg::CompilePlugin);
    exitButton_ = button(kExit);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
}

bool CTarnekChangeLevelDlg::OnInitDialog()
{
    setWindowIcon(icon_);
    try {
        if (!db_->OpenDatabase())
            return false;
        db_->LoadAll(*model_);
    } catch (const std::exception& e) {
        ShowError(e.what());
        return false;
    }

    ctrl_.model = model_.get();
    for (int code = 0; code < kXpTables; ++code)
        ctrl_.FillGrid(grid(code), model_.get()->*XpList(code).list);
    FillLevelCombo();
    levelCombo_->setCurrentIndex(LevelCountIndex(LevelCountItems(), QString::fromStdString(model_->levelCountText)));
    for (int box = 0; box < kXpParameters; ++box)
        parameterBox(box)->setText(QString::fromStdString(model_.get()->*XpParameter(box)));
    model_->DeriveLevelCounts();
    return true;
}

void CTarnekChangeLevelDlg::FillLevelCombo()
{
    levelCombo_->addItems(LevelCountItems());
}

void CTarnekChangeLevelDlg::SetActionsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{levelCombo_, createLevelsButton_, compileButton_})
        w->setEnabled(enabled);
    for (auto* w : grids_)
        w->setEnabled(enabled);
    for (auto* w : parameterBoxes_)
        w->setEnabled(enabled);
    for (auto* w : fillButtons_)
        w->setEnabled(enabled);
    for (auto* w : skillButtons_)
        w->setEnabled(enabled && HasSkillDialogs());
}

void CTarnekChangeLevelDlg::ReadInputs()
{
    // Without a selected item there is no count to read; the model keeps its own.
    if (levelCombo_->currentIndex() >= 0)
        model_->levelCountText = levelCombo_->currentText().toStdString();
    for (int box = 0; box < kXpParameters; ++box)
        model_.get()->*XpParameter(box) = parameterBox(box)->text().toStdString();
}

void CTarnekChangeLevelDlg::ReadGrids()
{
    for (int code = 0; code < kXpTables; ++code)
        ReadGridRow(grid(code), model_.get()->*XpList(code).list);
}

void CTarnekChangeLevelDlg::SaveAll()
{
    db_->SaveDatabase(*model_);
    writer_.WriteBaseHeader(*model_, sink_);
    writer_.WriteSkillsInclude(*model_, sink_);
}

void CTarnekChangeLevelDlg::RefillGrid(int targetCode)
{
    const ValueList& list = model_.get()->*XpList(targetCode).list;
    ctrl_.FillGrid(grid(targetCode), list);
    ctrl_.SizeGridColumns(grid(targetCode), static_cast<int>(list.size()));
}

void CTarnekChangeLevelDlg::OnFillXp(int targetCode)
{
    RunSavingAction([&] {
        ReadInputs();
        model_->RefreshMaxLevels();
        ReadGrids();
        ClearGrid(grid(targetCode));
        const ListDescriptor& list = XpList(targetCode);
        RunFill(list, *model_, FillCount(list, *model_));
        RefillGrid(targetCode);
        SaveAll();
    });
}

void CTarnekChangeLevelDlg::OnCreateLevels()
{
    RunSavingAction([&] {
        ReadInputs();
        if (ReadInteger(model_->levelCountText) < kFewestLevels) {
            UserMessageBox::Show(this, Text("Нельзя ставить ниже 10 уровня."), Text("Отказ в создании уровней"),
                                 QMessageBox::Information, QMessageBox::Ok);
            return;
        }
        const auto answer = UserMessageBox::Show(
            this, Text("\n Все параметры при изменение количества уровней будут пересчитаны!"),
            Text("Запрос на изменение уровней"), QMessageBox::Information, QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;

        for (auto* g : grids_)
            ClearGrid(g);
        RecomputeAllLists(*model_);
        for (int code = 0; code < kXpTables; ++code)
            ctrl_.FillGrid(grid(code), model_.get()->*XpList(code).list);
        for (int code = 0; code < kXpTables; ++code)
            ctrl_.SizeGridColumns(grid(code), static_cast<int>((model_.get()->*XpList(code).list).size()));
        SaveAll();
    });
}

void CTarnekChangeLevelDlg::CompilePlugin()
{
    RunSavingAction([&] {
        ReadGrids();
        NoteMarkedTexts(*this);
        SaveAll();
        const std::filesystem::path dir = WorkDirectory();
        DeleteCompiledPlugin(dir);
        StartPluginCompiler(dir);
    });
}

void CTarnekChangeLevelDlg::OnSkillTier(int tier)
{
    if (tier < 1 || tier > 4)
        return;
    RunSavingAction([&] {
        OpenSkillDialog(static_cast<Tier>(tier), *model_, *db_, this);
    });
}

void CTarnekChangeLevelDlg::OnLink()
{
    QDesktopServices::openUrl(QUrl(SiteAddress()));
}

void CTarnekChangeLevelDlg::RunSavingAction(const std::function<void()>& action)
{
    // After a start that stopped early the model is empty: nothing may write it over the
    // user's settings. An exception must not leave a Qt slot, so it is shown instead.
    if (!initialised_)
        return;
    try {
        action();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

void CTarnekChangeLevelDlg::ShowError(const char* text)
{
    UserMessageBox::Show(this, QString::fromUtf8(text), QString(), QMessageBox::Critical, QMessageBox::Ok);
}

std::filesystem::path CTarnekChangeLevelDlg::WorkDirectory() const
{
    std::error_code error;
    std::filesystem::path dir = std::filesystem::current_path(error);
    return error ? std::filesystem::path(".") : dir;
}
