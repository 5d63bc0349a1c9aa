#include "app/CTarnekChangeLevelDlg.h"

#include <exception>
#include <system_error>

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QUrl>

#include "app/ClimbFit.h"
#include "app/CompilePane.h"
#include "app/ConfigurationTransfer.h"
#include "app/LevelCombo.h"
#include "app/PluginSourceLoad.h"
#include "app/SkillDialogLauncher.h"
#include "app/WebAddress.h"
#include "grid/ConfigurationEditCommand.h"
#include "grid/GridOperations.h"
#include "grid/tarnekBaseListCtrl.h"
#include "model/Descriptors.h"
#include "model/LevelCounts.h"
#include "model/TextReadings.h"
#include "model/ValueTextRule.h"
#include "pluginsrc/PluginCompiler.h"
#include "widgets/ApplicationIcon.h"
#include "widgets/DialogUnits.h"
#include "widgets/DigitsOnlyFilter.h"
#include "widgets/FillButtonImage.h"
#include "widgets/FillButtonTip.h"
#include "widgets/QtText.h"
#include "widgets/UserMessageBox.h"

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
constexpr ButtonLayout kSave{"Сохранить", {270, 271, 60, 20}};
constexpr ButtonLayout kCompile{"Компилировать плагин", {338, 271, 107, 20}};
constexpr ButtonLayout kExit{"Выход", {460, 271, 50, 20}};

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
    : DialogBase(parent), sink_(this), session_(sink_), undo_(new QUndoStack(this)), icon_(ApplicationIcon())
{
    BuildControls();
    BuildChartPane();
    BuildActions();
    initialised_ = OnInitDialog();
    SetActionsEnabled(initialised_);
    AddConfigurationTransfer(*this);
    AddPluginSourceLoad(*this);
    AddCompilePane(*this);
    AddClimbTarget(*this);
    if (initialised_)
        MarkWindowOnFolder();
    OfferPluginSourcesOnFirstStart(*this);
}

bool CTarnekChangeLevelDlg::databaseCreated() const
{
    return session_.CreatedOnOpen();
}

CTarnekChangeLevelDlg::~CTarnekChangeLevelDlg()
{
    // The undo stack outlives this body (QObject deletes children later) and clearing it
    // signals a new index: the handler must not run on a half-destroyed window.
    disconnect(undo_, nullptr, this, nullptr);
    closing_ = true;
    ctrl_.DeleteEditor();
    ctrl_.SetModel(nullptr);
}

void CTarnekChangeLevelDlg::BuildControls()
{
    setWindowTitle(ToQString("Редактор уровней мода VLOX Tarnek MOD для Counter-Strike 1.6 (Версия 3.0)[*]"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    QFont dialogFont = font();
    dialogFont.setPointSize(kDialogPointSize);
    setFont(dialogFont);
    const DialogUnits units{QFontMetrics(dialogFont)};

    // The controls keep where the dialog units put them; the XP tables alone take any
    // width the window has beyond the form's.
    form_ = new QWidget(this);
    form_->setObjectName(QStringLiteral("xpForm"));
    const QSize formSize = Place(units, kDialogSize).size();
    form_->setMinimumSize(formSize);
    form_->setMaximumHeight(formSize.height());
    resize(formSize);

    auto frame = [this, &units](const char* title, const UnitRect& box, bool centred) {
        auto* group = new QGroupBox(ToQString(title), form_);
        group->setGeometry(Place(units, box));
        if (centred)
            group->setAlignment(Qt::AlignHCenter);
        return group;
    };
    auto button = [this, &units](const ButtonLayout& layout) {
        auto* b = new QPushButton(ToQString(layout.text), form_);
        b->setGeometry(Place(units, layout.box));
        return b;
    };

    // Frames first: later siblings are drawn over them.
    for (std::size_t code = 0; code < kXpBands.size(); ++code) {
        const XpBandLayout& band = kXpBands[code];
        xpFrames_[code] = frame(band.frame, band.frameBox, false);
        for (const ParameterLayout& p : band.parameters)
            frame(p.label, p.labelBox, p.centredLabel);
    }
    frame("Количество уровней", kLevelFrame, false);
    frame("Настройка скилов", kSkillFrame, false);
    frame("Посетите сайт:", kSiteFrame, false);

    auto* digitsOnly = new DigitsOnlyFilter(this);
    for (int code = 0; code < kXpTables; ++code) {
        const XpBandLayout& band = kXpBands[static_cast<std::size_t>(code)];
        auto* grid = new tarnekBaseListCtrl(
            code, [this, code]() -> const ValueList& { return XpListOf(code); },
            [this, code](std::size_t first, std::vector<std::string> texts, CellEdit kind) {
                EditCells(code, first, std::move(texts), kind);
            },
            form_);
        grid->setGeometry(Place(units, band.grid));
        grids_[static_cast<std::size_t>(code)] = grid;
        ctrl_.BindGrid(grid);

        for (std::size_t p = 0; p < band.parameters.size(); ++p) {
            auto* edit = new QLineEdit(form_);
            edit->setGeometry(Place(units, band.parameters[p].edit));
            edit->setAlignment(Qt::AlignCenter);
            if (band.parameters[p].digitsOnly)
                edit->installEventFilter(digitsOnly);
            const int box = 2 * code + static_cast<int>(p);
            parameterBoxes_[static_cast<std::size_t>(box)] = edit;
            connect(edit, &QLineEdit::editingFinished, this, [this, box] { CommitBox(box); });
            connect(edit, &QLineEdit::textChanged, this, [this, box] { UpdateFillTip(box / 2); });
        }

        auto* fill = new QPushButton(form_);
        fill->setGeometry(Place(units, band.fillButton));
        SetFillButtonImage(fill);
        fillButtons_[static_cast<std::size_t>(code)] = fill;
        connect(fill, &QPushButton::clicked, this, [this, code] { OnFillXp(code); });
    }

    levelCombo_ = new QComboBox(form_);
    levelCombo_->setGeometry(Place(units, kLevelCombo));
    createLevelsButton_ = button(kCreateLevels);
    connect(createLevelsButton_, &QPushButton::clicked, this, &CTarnekChangeLevelDlg::OnCreateLevels);

    for (int tier = 1; tier <= 4; ++tier) {
        QPushButton* b = button(kSkillButtons[static_cast<std::size_t>(tier - 1)]);
        skillButtons_[static_cast<std::size_t>(tier - 1)] = b;
        connect(b, &QPushButton::clicked, this, [this, tier] { OnSkillTier(tier); });
    }

    link_ = new QLabel(form_);
    link_->setGeometry(Place(units, kLink));
    link_->setText(QStringLiteral("<a href=\"%1\">%2</a> %3")
                       .arg(SiteAddress().toHtmlEscaped(), ToQString("Официальный сайт"), SiteName().toHtmlEscaped()));
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link_, &QLabel::linkActivated, this, &CTarnekChangeLevelDlg::OnLink);

    saveButton_ = button(kSave);
    connect(saveButton_, &QPushButton::clicked, this, &CTarnekChangeLevelDlg::SaveConfiguration);
    compileButton_ = button(kCompile);
    connect(compileButton_, &QPushButton::clicked, this, &CTarnekChangeLevelDlg::CompilePlugin);
    exitButton_ = button(kExit);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
}

bool CTarnekChangeLevelDlg::OnInitDialog()
{
    setWindowIcon(icon_);
    if (!session_.Open())
        return false;
    FillLevelCombo();
    ctrl_.SetModel(&session_.configuration());
    ShowConfiguration();
    // What another program stored is shown and marked as it is; saving it waits for a mend.
    if (auto fit = CheckConfigurationForSources(session_.configuration()); !fit)
        SetStatus(ToQString("В базе данных: " + fit.failure().text +
                            " Пока это не исправлено, сохранение и компиляция отменяются."));
    return true;
}

void CTarnekChangeLevelDlg::BuildActions()
{
    undoAction_ = undo_->createUndoAction(this, ToQString("Отменить"));
    undoAction_->setShortcuts(QKeySequence::Undo);
    redoAction_ = undo_->createRedoAction(this, ToQString("Повторить"));
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    auto* save = new QAction(ToQString("Сохранить"), this);
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &CTarnekChangeLevelDlg::SaveConfiguration);
    for (QAction* action : {undoAction_, redoAction_, save}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(undo_, &QUndoStack::indexChanged, this, &CTarnekChangeLevelDlg::UpdateModified);
}

// A second window on the same folder may look, but its user should know that saves
// from both meet in one database.
void CTarnekChangeLevelDlg::MarkWindowOnFolder()
{
    std::filesystem::path mark = session_.DatabasePath();
    mark += ".window";
    const auto take = [&mark](DatabaseLock::Mode mode) -> std::optional<DatabaseLock> {
        auto taken = DatabaseLock::Take(mark, mode, std::chrono::milliseconds(0));
        if (!taken)
            return std::nullopt;
        return std::move(*taken);
    };
    windowMark_ = take(DatabaseLock::Mode::Exclusive);
    if (windowMark_) {
        windowMark_->Share();
        return;
    }
    windowMark_ = take(DatabaseLock::Mode::Shared);
    UserMessageBox::Show(this,
                         ToQString("Эта папка плагина уже открыта в другом окне редактора.\n"
                                   "Окно заметит сохранения другого окна и спросит, прежде чем записать поверх них."),
                         ToQString("Второе окно"), QMessageBox::Information, QMessageBox::Ok);
}

void CTarnekChangeLevelDlg::ShowConfiguration()
{
    const tarnekArrayStruct& model = session_.configuration();
    for (int code = 0; code < kXpTables; ++code)
        RefillGrid(code);
    ShowLevelCount(levelCombo_, QString::fromStdString(model.levelCountText));
    for (int box = 0; box < kXpParameters; ++box)
        parameterBox(box)->setText(QString::fromStdString(model.*XpParameter(box)));
    UpdateModified();
    FollowConfiguration();
}

// After an undo or redo: the grids whose lists changed, and every box when a text did.
void CTarnekChangeLevelDlg::ShowEdit(const ConfigurationEdit& edit)
{
    ctrl_.DeleteEditor();
    for (const ListChange& change : edit.lists)
        if (change.list < static_cast<std::size_t>(kXpTables))
            RefillGrid(static_cast<int>(change.list));
    if (!edit.texts.empty()) {
        const tarnekArrayStruct& model = session_.configuration();
        for (int box = 0; box < kXpParameters; ++box)
            parameterBox(box)->setText(QString::fromStdString(model.*XpParameter(box)));
        ShowLevelCount(levelCombo_, QString::fromStdString(model.levelCountText));
    }
    UpdateModified();
    FollowConfiguration();
}

void CTarnekChangeLevelDlg::PushEdit(ConfigurationEdit edit, const QString& text)
{
    if (!edit.empty())
        undo_->push(new ConfigurationEditCommand(session_, std::move(edit), text,
                                                 [this](const ConfigurationEdit& e) { ShowEdit(e); }));
    UpdateModified();
}

void CTarnekChangeLevelDlg::UpdateFillTip(int targetCode)
{
    fillButton(targetCode)
        ->setToolTip(FillButtonTip(XpList(targetCode), parameterBox(2 * targetCode)->text(),
                                   parameterBox(2 * targetCode + 1)->text()));
}

void CTarnekChangeLevelDlg::CommitBox(int box)
{
    if (!initialised_)
        return;
    PushEdit(session_.SetTexts({{XpParameter(box), parameterBox(box)->text().toStdString()}}),
             ToQString("изменение параметра"));
}

void CTarnekChangeLevelDlg::UpdateModified()
{
    setWindowModified(initialised_ && session_.IsUnsaved());
}

void CTarnekChangeLevelDlg::SetStatus(const QString& text)
{
    statusLine_->setText(text);
}

void CTarnekChangeLevelDlg::ShowSaved(const SaveReport& report, const QString& before)
{
    if (report.outcome != SaveOutcome::Saved)
        return;
    QStringList written{ToQString("база данных")};
    if (report.baseHeader)
        written.append(QStringLiteral("tarnek/base.h"));
    if (report.skillsInclude)
        written.append(QStringLiteral("tarnek/skills.inl"));
    const QString saved = ToQString("Сохранено: ") + written.join(QStringLiteral(", "));
    SetStatus(before.isEmpty() ? saved : before + QStringLiteral(" ") + saved);
}

void CTarnekChangeLevelDlg::FillLevelCombo()
{
    levelCombo_->addItems(LevelCountItems());
}

void CTarnekChangeLevelDlg::SetActionsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{levelCombo_, createLevelsButton_, compileButton_, saveButton_})
        w->setEnabled(enabled);
    for (auto* w : grids_)
        w->setEnabled(enabled);
    for (auto* w : parameterBoxes_)
        w->setEnabled(enabled);
    for (auto* w : fillButtons_)
        w->setEnabled(enabled);
    for (auto* w : skillButtons_)
        w->setEnabled(enabled);
}

// What a fill or a level change takes from the window: the chosen level count (when one is
// chosen) and the eight parameter boxes.
std::vector<TextAssignment> CTarnekChangeLevelDlg::InputTexts() const
{
    // Only the parameter boxes: the level-count box takes effect through the level-count
    // change alone. A fill at another count would leave its list disagreeing with all others.
    std::vector<TextAssignment> texts;
    for (int box = 0; box < kXpParameters; ++box)
        texts.emplace_back(XpParameter(box), parameterBox(box)->text().toStdString());
    return texts;
}

std::string CTarnekChangeLevelDlg::ChosenLevelCount() const
{
    const QString chosen = ChosenLevelCountText(levelCombo_);
    return !chosen.isEmpty() ? chosen.toStdString() : session_.configuration().levelCountText;
}

bool CTarnekChangeLevelDlg::SaveAll()
{
    return SaveWith(SaveScope::MainWindow());
}

bool CTarnekChangeLevelDlg::SaveWith(SaveScope scope)
{
    SaveReport report = session_.Save(scope);
    if (report.outcome == SaveOutcome::Conflict) {
        const auto answer = UserMessageBox::Show(
            this,
            ToQString("Другая программа сохранила настройки в базу данных после того, как это окно их прочитало.\n"
                      "Взять её настройки (изменения этого окна пропадут) или записать настройки этого окна поверх?"),
            ToQString("Настройки изменены другой программой"), QMessageBox::Warning,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
            {{QMessageBox::Yes, ToQString("Взять их")},
             {QMessageBox::No, ToQString("Записать мои")},
             {QMessageBox::Cancel, ToQString("Отмена")}});
        if (answer == QMessageBox::Yes) {
            if (session_.Reload()) {
                ++reloads_;
                undo_->clear();
                ShowConfiguration();
                SetStatus(ToQString("Перечитано: настройки другой программы из базы данных"));
            }
            return false;
        }
        if (answer != QMessageBox::No)
            return false;
        report = session_.Save(scope, OnConflict::Overwrite);
    }
    ShowSaved(report);
    UpdateModified();
    return report.outcome == SaveOutcome::Saved;
}

bool CTarnekChangeLevelDlg::SaveConfiguration()
{
    if (!initialised_)
        return false;
    ctrl_.DeleteEditor();
    CommitBoxes();
    bool saved = false;
    RunSavingAction([&] { saved = SaveWith(SaveScope::Everything()); });
    return saved;
}

void CTarnekChangeLevelDlg::CommitBoxes()
{
    // The level count waits for "Создать уровни".
    PushEdit(session_.SetTexts(InputTexts()), ToQString("изменение параметров"));
}

void CTarnekChangeLevelDlg::NoticeOtherPrograms()
{
    if (!initialised_ || noticing_ || session_.IsUnsaved() || !session_.ChangedElsewhere())
        return;
    noticing_ = true;
    if (session_.Reload()) {
        ++reloads_;
        undo_->clear();
        ShowConfiguration();
        SetStatus(ToQString("Перечитано: другая программа изменила базу данных"));
    }
    noticing_ = false;
}

bool CTarnekChangeLevelDlg::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        NoticeOtherPrograms();
    return DialogBase::event(event);
}

void CTarnekChangeLevelDlg::done(int result)
{
    if (initialised_ && session_.IsUnsaved()) {
        const auto answer = UserMessageBox::Show(this, ToQString("Настройки изменены и не сохранены. Сохранить их?"),
                                                 windowTitle().remove(QStringLiteral("[*]")), QMessageBox::Question,
                                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                                 {{QMessageBox::Save, ToQString("Сохранить")},
                                                  {QMessageBox::Discard, ToQString("Не сохранять")},
                                                  {QMessageBox::Cancel, ToQString("Отмена")}});
        if (answer == QMessageBox::Cancel || answer == QMessageBox::NoButton)
            return;
        if (answer == QMessageBox::Save && !SaveConfiguration())
            return;
    }
    ctrl_.DeleteEditor();
    DialogBase::done(result);
}

void CTarnekChangeLevelDlg::ReplaceConfiguration(tarnekArrayStruct configuration, const QString& undoText)
{
    RunSavingAction([&] {
        ctrl_.DeleteEditor();
        configuration.DeriveLevelCounts();
        PushEdit(session_.Replace(configuration), undoText);
        ShowConfiguration();
    });
}

const ValueList& CTarnekChangeLevelDlg::XpListOf(int targetCode) const
{
    // The grids outlive the session by a moment when the window goes.
    static const ValueList none;
    return closing_ ? none : session_.configuration().*XpList(targetCode).list;
}

void CTarnekChangeLevelDlg::EditCells(int targetCode, std::size_t first, std::vector<std::string> texts, CellEdit kind)
{
    const std::size_t count = texts.size();
    PushEdit(session_.SetCells(static_cast<std::size_t>(targetCode), first, std::move(texts)), CellEditName(kind));
    grid(targetCode)->listModel()->CellsChanged(first, count);
    // A paste's note on values it dropped comes after this, so it is not overwritten.
    UpdateStatusLine();
}

void CTarnekChangeLevelDlg::RefillGrid(int targetCode)
{
    grid(targetCode)->listModel()->Reset();
    ctrl_.SizeGridColumns(grid(targetCode), grid(targetCode)->columnCount());
}

void CTarnekChangeLevelDlg::OnFillXp(int targetCode)
{
    RunSavingAction([&] {
        ctrl_.DeleteEditor();
        PushEdit(session_.Fill(static_cast<std::size_t>(targetCode), InputTexts()), ToQString("заполнение"));
        RefillGrid(targetCode);
        SaveAll();
    });
    FollowConfiguration();
}

void CTarnekChangeLevelDlg::OnCreateLevels()
{
    RunSavingAction([&] {
        std::vector<TextAssignment> texts = InputTexts();
        const std::string chosen = ChosenLevelCount();
        if (const auto allowed = CheckLevelCountChange(ReadInteger(chosen)); !allowed) {
            UserMessageBox::Show(this, ToQString(allowed.failure().text), ToQString(kLevelRefusalCaption),
                                 QMessageBox::Information, QMessageBox::Ok);
            return;
        }
        const auto answer = UserMessageBox::Show(this, ToQString(kLevelQuestionText), ToQString(kLevelQuestionCaption),
                                                 QMessageBox::Information, QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
        // Only now: a refused or declined change must leave the configuration's count alone.
        texts.emplace_back(LevelCountValue().text, chosen);

        ctrl_.DeleteEditor();
        RecomputeLevels(texts);
        SaveAll();
    });
    FollowConfiguration();
}

void CTarnekChangeLevelDlg::RecomputeLevels(const std::vector<TextAssignment>& texts)
{
    PushEdit(session_.ChangeLevelCount(texts), ToQString("изменение количества уровней"));
    for (int code = 0; code < kXpTables; ++code)
        RefillGrid(code);
    ShowLevelCount(levelCombo_, QString::fromStdString(session_.configuration().levelCountText));
}

void CTarnekChangeLevelDlg::CompilePlugin()
{
    RunSavingAction([&] {
        ctrl_.DeleteEditor();
        NoteMarkedTexts();
        const QString note = statusLine_->text();
        if (!SaveAll())
            return;  // sources not written: the compiler would meet the old ones
        if (!note.isEmpty())
            SetStatus(note + QStringLiteral(" ") + statusLine_->text());
        const std::filesystem::path dir = WorkDirectory();
        DeleteCompiledPlugin(dir);
        StartCompile(*this, dir);
    });
}

void CTarnekChangeLevelDlg::ShowValue(const GeneratedValue& value)
{
    if (value.list && *value.list < static_cast<std::size_t>(kXpTables)) {
        SelectGridCell(grid(static_cast<int>(*value.list)), static_cast<int>(value.level));
        return;
    }
    RunSkillDialog(ToQString("изменения скилов"), [&](const std::function<bool(SaveScope)>& save) {
        return OpenSkillDialogAt(value, session_, save, this);
    });
}

QString CTarnekChangeLevelDlg::ValueTitle(const GeneratedValue& value) const
{
    if (value.list && *value.list < static_cast<std::size_t>(kXpTables))
        return ToQString(kXpBands[*value.list].frame);
    return SkillValueTitle(value);
}

void CTarnekChangeLevelDlg::OnSkillTier(int tier)
{
    if (tier < 1 || tier > 4)
        return;
    RunSkillDialog(ToQString("изменения скилов %1 уровня").arg(tier), [&](const std::function<bool(SaveScope)>& save) {
        return OpenSkillDialog(static_cast<Tier>(tier), session_, save, this);
    });
}

void CTarnekChangeLevelDlg::RunSkillDialog(
    const QString& step, const std::function<ConfigurationEdit(const std::function<bool(SaveScope)>&)>& run)
{
    RunSavingAction([&] {
        const int reloads = reloads_;
        ConfigurationEdit edit = run([this](SaveScope scope) { return SaveWith(scope); });
        // Taking another program's settings from inside the dialog left nothing of its
        // edit in the session to undo.
        if (reloads == reloads_)
            PushEdit(std::move(edit), step);
        UpdateModified();
    });
    FollowConfiguration();
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
