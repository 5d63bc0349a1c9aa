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
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include "app/ActionRow.h"
#include "app/ClimbFit.h"
#include "app/ClimbTargetRow.h"
#include "app/CompilePane.h"
#include "app/ConfigurationTransfer.h"
#include "app/LevelCombo.h"
#include "app/PluginSourceLoad.h"
#include "app/SkillDialogLauncher.h"
#include "app/WebAddress.h"
#include "app/XpChartPane.h"
#include "app/XpTables.h"
#include "charts/ChartPane.h"
#include "charts/ProgressionChart.h"
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

constexpr const char* kTitle = "Редактор уровней мода VLOX Tarnek MOD для Counter-Strike 1.6 (Версия 3.0)";

constexpr int kDialogPointSize = 8;
constexpr int kChartHeight = 300;

}  // namespace

CTarnekChangeLevelDlg::CTarnekChangeLevelDlg(QWidget* parent)
    : DialogBase(parent), sink_(this), session_(sink_), signals_(session_), undo_(new QUndoStack(this)),
      icon_(ApplicationIcon())
{
    connect(&signals_, &SessionSignals::unsavedChanged, this, &QWidget::setWindowModified);
    BuildControls();
    BuildPanes();
    BuildActions();
    // After the parts: the status line reads the level-count box, which must have followed
    // the change first, or a level change would flash the note of a count not yet applied.
    connect(&signals_, &SessionSignals::changed, this, &CTarnekChangeLevelDlg::Follow);
    initialised_ = OnInitDialog();
    SetActionsEnabled(initialised_);
    BuildCompilePane();
    panes_->RestoreHeights();
    BuildClimbTarget();
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

    xpTables_ = new XpTables(units, signals_, *undo_, ctrl_, this);
    resize(xpTables_->minimumSize());
    connect(xpTables_, &XpTables::fillRequested, this, &CTarnekChangeLevelDlg::OnFillXp);
    connect(xpTables_, &XpTables::digitsRefused, this,
            [this] { SetStatus(ToQString("В это поле вводятся только цифры"), StatusTone::Warning); });

    actionRow_ = new ActionRow(units, this);
    actionRow_->FollowLevelCount(signals_);
    using Button = ActionRow::Button;
    const auto onClick = [this](Button which, auto&& action) {
        connect(actionRow_->button(which), &QPushButton::clicked, this, action);
    };
    onClick(Button::CreateLevels, [this] { OnCreateLevels(); });
    for (int tier = 1; tier <= 4; ++tier)
        connect(actionRow_->skillButton(tier), &QPushButton::clicked, this, [this, tier] { OnSkillTier(tier); });
    onClick(Button::Export, [this] { ExportConfiguration(*this); });
    onClick(Button::Import, [this] { ImportConfiguration(*this); });
    onClick(Button::LoadSources, [this] { LoadPluginSources(*this); });
    onClick(Button::Save, [this] { SaveEverything(); });
    onClick(Button::Compile, [this] { CompilePlugin(); });
    onClick(Button::Exit, [this] { reject(); });
    connect(actionRow_->link(), &QLabel::linkActivated, this, &CTarnekChangeLevelDlg::OnLink);
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
    connect(save, &QAction::triggered, this, &CTarnekChangeLevelDlg::SaveEverything);
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

// The grids, the boxes and the level-count box follow the session themselves.
void CTarnekChangeLevelDlg::Follow(const ConfigurationEdit&, ChangeCause cause)
{
    // An undo, a redo or a reload may change the cell under an open editor.
    if (cause != ChangeCause::Edit)
        ctrl_.DeleteEditor();
    // A paste's note on values it dropped comes after this, so it is not overwritten.
    UpdateStatusLine();
}

void CTarnekChangeLevelDlg::Push(const QString& text, ConfigurationEditCommand::Make make)
{
    PushEdit(*undo_, session_, text, std::move(make));
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
        b->setEnabled(enabled || b == button(ActionRow::Button::Exit));
    levelCombo()->setEnabled(enabled);
    // The frames and their labels stay as they are.
    for (int code = 0; code < XpTables::kTables; ++code) {
        xpTables_->grid(code)->setEnabled(enabled);
        xpTables_->parameterBox(2 * code)->setEnabled(enabled);
        xpTables_->parameterBox(2 * code + 1)->setEnabled(enabled);
        xpTables_->fillButton(code)->setEnabled(enabled);
    }
}

std::string CTarnekChangeLevelDlg::ChosenLevelCount() const
{
    const QString chosen = ChosenLevelCountText(levelCombo());
    return !chosen.isEmpty() ? chosen.toStdString() : session_.configuration().levelCountText;
}

bool CTarnekChangeLevelDlg::SaveWindowTables(const QString& what)
{
    return Save(SaveScope::MainWindow(), what);
}

bool CTarnekChangeLevelDlg::Save(SaveScope scope, const QString& what)
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
            ReadAgain(ToQString("Перечитано: настройки другой программы из базы данных"));
            return false;
        }
        if (answer != QMessageBox::No)
            return false;
        report = session_.Save(scope, OnConflict::Overwrite);
    }
    ShowSaved(report, what);
    return report.outcome == SaveOutcome::Saved;
}

bool CTarnekChangeLevelDlg::SaveEverything()
{
    if (!initialised_)
        return false;
    ctrl_.CommitEditor();
    xpTables_->CommitBoxes();
    bool saved = false;
    RunSavingAction([&] { saved = Save(SaveScope::Everything()); });
    return saved;
}

void CTarnekChangeLevelDlg::CommitEditor()
{
    ctrl_.CommitEditor();
}

void CTarnekChangeLevelDlg::NoticeOtherPrograms()
{
    if (!initialised_ || noticing_ || session_.IsUnsaved() || !session_.ChangedElsewhere())
        return;
    noticing_ = true;
    ReadAgain(ToQString("Перечитано: другая программа изменила базу данных"));
    noticing_ = false;
}

void CTarnekChangeLevelDlg::ReadAgain(const QString& why)
{
    if (!session_.Reload())
        return;
    undo_->clear();
    NoteStoredConfiguration(why);
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
        if (answer == QMessageBox::Save && !SaveEverything())
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
        Push(ToQString("заполнение"), [list = static_cast<std::size_t>(targetCode), texts = xpTables_->BoxTexts()](
                                          EditingSession& session) { return session.Fill(list, texts); });
        SaveWindowTables(ToQString("Заполнено и сохранено"));
    });
}

void CTarnekChangeLevelDlg::OnCreateLevels()
{
    RunSavingAction([&] {
        ctrl_.CommitEditor();
        std::vector<TextAssignment> texts = xpTables_->BoxTexts();
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
        SaveWindowTables(ToQString("Уровни созданы и сохранены"));
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
        if (!SaveWindowTables())
            return;  // sources not written: the compiler would meet the old ones
        const std::filesystem::path dir = WorkDirectory();
        DeleteCompiledPlugin(dir);
        compilePane()->Start(dir, GeneratedLines(model()));
    });
}

void CTarnekChangeLevelDlg::ShowValue(const GeneratedValue& value)
{
    if (value.list && *value.list < static_cast<std::size_t>(XpTables::kTables)) {
        SelectGridCell(xpTables_->grid(static_cast<int>(*value.list)), static_cast<int>(value.level));
        return;
    }
    RunSkillDialog(ToQString("изменения скилов"),
                   [&](const SkillDialogHooks& hooks) { OpenSkillDialogAt(value, session_, hooks, this); });
}

QString CTarnekChangeLevelDlg::ValueTitle(const GeneratedValue& value) const
{
    if (value.list && *value.list < static_cast<std::size_t>(XpTables::kTables))
        return XpTables::Title(static_cast<int>(*value.list));
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
             [this](SaveScope scope) { return Save(scope); }});
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

// The panes under the XP tables, then the actions: whatever the panes and the window's
// size, the actions show. The status line ends the row of the pane's switches.
void CTarnekChangeLevelDlg::BuildPanes()
{
    panes_ = new XpChartPane(*this, xpTables_);
    ChartPane* pane = panes_->pane();
    statusLine_ = new QLabel();
    statusLine_->setObjectName(QStringLiteral("statusLine"));
    statusLine_->setWordWrap(true);
    pane->row()->addWidget(statusLine_, 1);
    for (int code = 0; code < XpTables::kTables; ++code)
        ReportDroppedValues(xpTables_->grid(code), statusLine_);
    connect(levelCombo(), &QComboBox::currentIndexChanged, this, &CTarnekChangeLevelDlg::UpdateStatusLine);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pane->splitter(), 1);
    layout->addWidget(actionRow_);
    layout->addLayout(pane->row());
    FitToScreen(AvailableArea(*this));
}

// The compile pane names a value as the window does, and leads its lines back to it.
void CTarnekChangeLevelDlg::BuildCompilePane()
{
    CompilePane* pane = panes_->AddCompilePane();
    pane->setValueNames([this](const GeneratedValue& value) {
        // Devotion Aura is one value for every level.
        if (!value.list)
            return ValueTitle(value);
        return QStringLiteral("%1, уровень %2").arg(ValueTitle(value)).arg(value.level);
    });
    connect(pane, &CompilePane::runningChanged, this,
            [this](bool running) { button(ActionRow::Button::Compile)->setEnabled(!running && initialised_); });
    connect(pane, &CompilePane::valueActivated, this, &CTarnekChangeLevelDlg::ShowValue);
}

// The climb target row under "Убийств в час"; disabled after a start that could not load
// the settings.
void CTarnekChangeLevelDlg::BuildClimbTarget()
{
    climbTarget_ = new ClimbTargetRow();
    climbTarget_->setObjectName(QStringLiteral("climbTarget"));
    progression()->AddControlRow(climbTarget_);
    climbTarget_->setEnabled(initialised_);
    const auto follow = [this] { climbTarget_->FollowLevelCount(ReadInteger(model().levelCountText)); };
    follow();
    connect(&signals_, &SessionSignals::changed, climbTarget_, follow);
    connect(climbTarget_->fitButton(), &QPushButton::clicked, this, [this] { FitToTarget(*this); });
}

ProgressionChart* CTarnekChangeLevelDlg::progression() const
{
    return panes_->progression();
}

CompilePane* CTarnekChangeLevelDlg::compilePane() const
{
    return panes_->compilePane();
}

void CTarnekChangeLevelDlg::FitToScreen(const QRect& available)
{
    ChartPane* pane = panes_->pane();
    const QSize form = xpTables_->minimumSize();
    // Room for the frame the window manager draws around the window.
    const int width = std::min(form.width() + 8, available.width() - 8);
    const int actionsHeight = actionRow_->heightForWidth(width - 8);
    const int height = std::min(form.height() + actionsHeight + kChartHeight + 40, available.height() - 40);
    setMinimumSize(std::min(640, width), std::min(480, height));
    resize(width, height);
    // The form gets all of its height where the screen allows, the chart what is left.
    const int formHeight = form.height() + pane->controlsArea()->horizontalScrollBar()->sizeHint().height();
    pane->controlsArea()->setMaximumHeight(formHeight);
    pane->ShareHeight(formHeight, height - actionsHeight);
}

QString CTarnekChangeLevelDlg::PendingLevelCountNote() const
{
    const std::string chosen = ChosenLevelCount();
    const std::string& applied = model().levelCountText;
    if (chosen == applied)
        return QString();
    return QStringLiteral("Выбрано уровней: %1, в конфигурации: %2. Выбор вступит в силу только после "
                          "«Создать уровни»; заливки используют %2.")
        .arg(QString::fromStdString(chosen), QString::fromStdString(applied));
}

QStringList CTarnekChangeLevelDlg::ConfigurationNotes() const
{
    QStringList notes{PendingLevelCountNote()};
    if (marksNoted_)
        notes.append(MarkedCountNote(CountMarkedForCompile(model())));
    notes.removeAll(QString());
    return notes;
}

// After a change the status line describes the configuration as it is now; what was
// said of the last action is over.
void CTarnekChangeLevelDlg::UpdateStatusLine()
{
    SetStatus(QString());
}

void CTarnekChangeLevelDlg::NoteMarkedTexts()
{
    marksNoted_ = true;
    UpdateStatusLine();
}
