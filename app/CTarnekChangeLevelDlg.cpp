#include "app/CTarnekChangeLevelDlg.h"

#include <exception>
#include <system_error>

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QUrl>

#include "app/ActionRow.h"
#include "app/ClimbFit.h"
#include "app/CompilePane.h"
#include "app/ConfigurationTransfer.h"
#include "app/LevelCombo.h"
#include "app/PluginSourceLoad.h"
#include "app/SkillDialogLauncher.h"
#include "app/WebAddress.h"
#include "grid/CellMarking.h"
#include "grid/ConfigurationEditCommand.h"
#include "grid/GridOperations.h"
#include "grid/tarnekBaseListCtrl.h"
#include "model/Descriptors.h"
#include "model/LevelCounts.h"
#include "model/TextReadings.h"
#include "model/ValueTextRule.h"
#include "pluginsrc/PluginCompiler.h"
#include "skills/SkillDialog.h"
#include "widgets/ApplicationIcon.h"
#include "widgets/DialogUnits.h"
#include "widgets/DigitsOnlyFilter.h"
#include "widgets/FillButtonImage.h"
#include "widgets/FillButtonTip.h"
#include "widgets/FolderCaption.h"
#include "widgets/QtText.h"
#include "widgets/StatusLine.h"
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

constexpr const char* kTitle = "Редактор уровней мода VLOX Tarnek MOD для Counter-Strike 1.6 (Версия 3.0)";

// The XP tables; the row of actions (ActionRow) lies under the chart.
constexpr UnitRect kDialogSize{0, 0, 850, 232};
constexpr int kDialogPointSize = 8;

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

}  // namespace

CTarnekChangeLevelDlg::CTarnekChangeLevelDlg(QWidget* parent)
    : DialogBase(parent), sink_(this), session_(sink_), signals_(session_), undo_(new QUndoStack(this)),
      icon_(ApplicationIcon())
{
    connect(&signals_, &SessionSignals::changed, this, &CTarnekChangeLevelDlg::Follow);
    connect(&signals_, &SessionSignals::unsavedChanged, this, &QWidget::setWindowModified);
    BuildControls();
    BuildChartPane();
    BuildActions();
    initialised_ = OnInitDialog();
    SetActionsEnabled(initialised_);
    AddCompilePane(*this);
    RestoreSplitter();
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
    ctrl_.DeleteEditor();
}

void CTarnekChangeLevelDlg::BuildControls()
{
    SetFolderCaption(*this, ToQString(kTitle) + QStringLiteral("[*]"), QDir::currentPath());
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

    // Frames first: later siblings are drawn over them.
    for (std::size_t code = 0; code < kXpBands.size(); ++code) {
        const XpBandLayout& band = kXpBands[code];
        xpFrames_[code] = frame(band.frame, band.frameBox, false);
        for (const ParameterLayout& p : band.parameters)
            frame(p.label, p.labelBox, p.centredLabel);
    }

    auto* digitsOnly = new DigitsOnlyFilter(this);
    connect(digitsOnly, &DigitsOnlyFilter::refused, this,
            [this] { SetStatus(ToQString("В это поле вводятся только цифры"), StatusTone::Warning); });
    for (int code = 0; code < kXpTables; ++code) {
        const XpBandLayout& band = kXpBands[static_cast<std::size_t>(code)];
        auto* grid = new tarnekBaseListCtrl(code, signals_, *undo_, form_);
        grid->setGeometry(Place(units, band.grid));
        grids_[static_cast<std::size_t>(code)] = grid;
        ctrl_.BindGrid(grid);
        KeepGridMarked(grid);

        for (std::size_t p = 0; p < band.parameters.size(); ++p) {
            auto* edit = new QLineEdit(form_);
            edit->setGeometry(Place(units, band.parameters[p].edit));
            edit->setAlignment(Qt::AlignCenter);
            edit->setToolTip(ParameterTip(band.parameters[p].label));
            if (band.parameters[p].digitsOnly)
                edit->installEventFilter(digitsOnly);
            const int box = 2 * code + static_cast<int>(p);
            edit->setText(QString::fromStdString(session_.configuration().*XpParameter(box)));
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

    actionRow_ = new ActionRow(units, this);
    levelCombo()->addItems(LevelCountItems());
    using Button = ActionRow::Button;
    const auto onClick = [this](Button which, auto&& action) {
        connect(actionRow_->button(which), &QPushButton::clicked, this, action);
    };
    onClick(Button::CreateLevels, [this] { OnCreateLevels(); });
    for (int tier = 1; tier <= 4; ++tier)
        connect(skillButton(tier), &QPushButton::clicked, this, [this, tier] { OnSkillTier(tier); });
    onClick(Button::Export, [this] { ExportConfiguration(*this); });
    onClick(Button::Import, [this] { ImportConfiguration(*this); });
    onClick(Button::LoadSources, [this] { LoadPluginSources(*this); });
    onClick(Button::Save, [this] { SaveConfiguration(); });
    onClick(Button::Compile, [this] { CompilePlugin(); });
    onClick(Button::Exit, [this] { reject(); });
    connect(link(), &QLabel::linkActivated, this, &CTarnekChangeLevelDlg::OnLink);
}

bool CTarnekChangeLevelDlg::OnInitDialog()
{
    setWindowIcon(icon_);
    if (!session_.Open())
        return false;
    NoteStoredConfiguration(QString());
    return true;
}

// What another program stored is shown and marked as it is; saving it waits for a mend,
// and the user hears so as soon as it is read, not at the first refused save.
void CTarnekChangeLevelDlg::NoteStoredConfiguration(const QString& read)
{
    if (auto fit = CheckConfigurationForSources(session_.configuration()); !fit) {
        const QString problem = ToQString("В базе данных: " + fit.failure().text +
                                          " Пока это не исправлено, сохранение и компиляция отменяются.");
        SetStatus(read.isEmpty() ? problem : read + QStringLiteral(". ") + problem, StatusTone::Warning);
    } else if (!read.isEmpty()) {
        SetStatus(read);
    }
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

// The grids follow the session themselves; the boxes and the level-count box are set only
// where the change reached them, so that nothing typed elsewhere is overwritten. Reading
// the database again shows all of it.
void CTarnekChangeLevelDlg::Follow(const ConfigurationEdit& edit, ChangeCause cause)
{
    // An undo, a redo or a reload may change the cell under an open editor.
    if (cause != ChangeCause::Edit)
        ctrl_.DeleteEditor();
    const tarnekArrayStruct& model = session_.configuration();
    const bool all = cause == ChangeCause::ReadAgain;
    for (int box = 0; box < kXpParameters; ++box)
        if (all || Touches(edit, XpParameter(box)))
            parameterBox(box)->setText(QString::fromStdString(model.*XpParameter(box)));
    if (all || Touches(edit, LevelCountValue().text) || edit.countsBefore != edit.countsAfter)
        ShowLevelCount(levelCombo(), QString::fromStdString(model.levelCountText));
    // A paste's note on values it dropped comes after this, so it is not overwritten.
    UpdateStatusLine();
}

void CTarnekChangeLevelDlg::Push(const QString& text, ConfigurationEditCommand::Make make)
{
    PushEdit(*undo_, session_, text, std::move(make));
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
    Push(ToQString("изменение параметра"),
         [text = XpParameter(box), value = parameterBox(box)->text().toStdString()](EditingSession& session) {
             return session.SetTexts({{text, value}});
         });
}

// The notes on the configuration as it is now come first, whatever was done last.
void CTarnekChangeLevelDlg::SetStatus(const QString& text, StatusTone tone)
{
    QList<StatusPart> parts;
    for (const QString& note : ConfigurationNotes())
        parts.append({note, StatusTone::Warning});
    parts.append({text, tone});
    ShowStatus(statusLine_, parts);
}

void CTarnekChangeLevelDlg::ShowSaved(const SaveReport& report, const QString& what)
{
    if (report.outcome != SaveOutcome::Saved)
        return;
    QStringList written{ToQString("база данных")};
    if (report.baseHeader)
        written.append(QStringLiteral("tarnek/base.h"));
    if (report.skillsInclude)
        written.append(QStringLiteral("tarnek/skills.inl"));
    SetStatus(what + QStringLiteral(": ") + written.join(QStringLiteral(", ")));
}

void CTarnekChangeLevelDlg::SetActionsEnabled(bool enabled)
{
    for (QPushButton* b : actionRow_->buttons())
        b->setEnabled(enabled || b == exitButton());
    levelCombo()->setEnabled(enabled);
    for (auto* w : grids_)
        w->setEnabled(enabled);
    for (auto* w : parameterBoxes_)
        w->setEnabled(enabled);
    for (auto* w : fillButtons_)
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
    const QString chosen = ChosenLevelCountText(levelCombo());
    return !chosen.isEmpty() ? chosen.toStdString() : session_.configuration().levelCountText;
}

bool CTarnekChangeLevelDlg::SaveAll(const QString& what)
{
    return SaveWith(SaveScope::MainWindow(), what);
}

bool CTarnekChangeLevelDlg::SaveWith(SaveScope scope, const QString& what)
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
                undo_->clear();
                NoteStoredConfiguration(ToQString("Перечитано: настройки другой программы из базы данных"));
            }
            return false;
        }
        if (answer != QMessageBox::No)
            return false;
        report = session_.Save(scope, OnConflict::Overwrite);
    }
    ShowSaved(report, what);
    return report.outcome == SaveOutcome::Saved;
}

bool CTarnekChangeLevelDlg::SaveConfiguration()
{
    if (!initialised_)
        return false;
    ctrl_.CommitEditor();
    CommitBoxes();
    bool saved = false;
    RunSavingAction([&] { saved = SaveWith(SaveScope::Everything()); });
    return saved;
}

void CTarnekChangeLevelDlg::CommitEditor()
{
    ctrl_.CommitEditor();
}

void CTarnekChangeLevelDlg::CommitBoxes()
{
    // The level count waits for "Создать уровни".
    Push(ToQString("изменение параметров"),
         [texts = InputTexts()](EditingSession& session) { return session.SetTexts(texts); });
}

void CTarnekChangeLevelDlg::NoticeOtherPrograms()
{
    if (!initialised_ || noticing_ || session_.IsUnsaved() || !session_.ChangedElsewhere())
        return;
    noticing_ = true;
    if (session_.Reload()) {
        undo_->clear();
        NoteStoredConfiguration(ToQString("Перечитано: другая программа изменила базу данных"));
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
    if (initialised_)
        CommitEditor();
    if (initialised_ && session_.IsUnsaved()) {
        const auto answer =
            UserMessageBox::Show(this, ToQString("Настройки изменены и не сохранены. Сохранить их?"), ToQString(kTitle),
                                 QMessageBox::Question, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
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
        ctrl_.CommitEditor();
        configuration.DeriveLevelCounts();
        Push(undoText, [&configuration](EditingSession& session) { return session.Replace(configuration); });
    });
}

void CTarnekChangeLevelDlg::OnFillXp(int targetCode)
{
    RunSavingAction([&] {
        ctrl_.CommitEditor();
        Push(ToQString("заполнение"), [list = static_cast<std::size_t>(targetCode), texts = InputTexts()](
                                          EditingSession& session) { return session.Fill(list, texts); });
        SaveAll(ToQString("Заполнено и сохранено"));
    });
}

void CTarnekChangeLevelDlg::OnCreateLevels()
{
    RunSavingAction([&] {
        ctrl_.CommitEditor();
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

        RecomputeLevels(texts);
        SaveAll(ToQString("Уровни созданы и сохранены"));
    });
}

void CTarnekChangeLevelDlg::RecomputeLevels(const std::vector<TextAssignment>& texts)
{
    Push(ToQString("изменение количества уровней"),
         [texts](EditingSession& session) { return session.ChangeLevelCount(texts); });
}

void CTarnekChangeLevelDlg::CompilePlugin()
{
    RunSavingAction([&] {
        ctrl_.CommitEditor();
        NoteMarkedTexts();
        if (!SaveAll())
            return;  // sources not written: the compiler would meet the old ones
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
    RunSkillDialog(ToQString("изменения скилов"),
                   [&](const SkillDialogHooks& hooks) { OpenSkillDialogAt(value, session_, hooks, this); });
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
    RunSkillDialog(ToQString("изменения скилов %1 уровня").arg(tier), [&](const SkillDialogHooks& hooks) {
        OpenSkillDialog(static_cast<Tier>(tier), session_, hooks, this);
    });
}

void CTarnekChangeLevelDlg::RunSkillDialog(const QString& step, const std::function<void(const SkillDialogHooks&)>& run)
{
    RunSavingAction([&] {
        ctrl_.CommitEditor();
        run({[this, step](const tarnekArrayStruct& result) {
                 Push(step, [&result](EditingSession& session) { return session.Replace(result); });
             },
             [this](SaveScope scope) { return SaveWith(scope); }});
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
