#include "MainWindowCurves.h"

#include <algorithm>
#include <array>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include "CTarnekChangeLevelDlg.h"
#include "CellMarking.h"
#include "ChartPane.h"
#include "ConfigurationTransfer.h"
#include "CurveChart.h"
#include "ProgressionChart.h"
#include "tarnekBaseListCtrl.h"

namespace {

// The legend names the curves as the window's frames name the tables, without the console
// setting, so that all four fit beside each other.
constexpr std::array<const char*, CTarnekChangeLevelDlg::kXpTables> kCurveNames{
    "Не сохраняемые XP",
    "Сохраняемые XP",
    "Не сохраняемые XP за убийство",
    "Сохраняемые XP за убийство",
};

constexpr int kChartHeight = 300;
constexpr int kSmallestChartHeight = 200;
const QString kStatusLineName = QStringLiteral("statusLine");
const QString kProgressionName = QStringLiteral("progressionChart");
// Set once a compile has counted the marked texts: from then on the count is kept current.
const char* const kMarksNotedProperty = "marksNoted";

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

// The declared array size follows the model's level count, which only the level-count
// change sets.
void MarkXpGrids(CTarnekChangeLevelDlg& dialog)
{
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code)
        KeepGridMarked(dialog.grid(code), dialog.model());
}

// Beside the XP curves, what they mean for a player: the kills the climb takes.
void AddProgressionView(CTarnekChangeLevelDlg& dialog, ChartPane& pane)
{
    std::array<const QAbstractItemModel*, CTarnekChangeLevelDlg::kXpTables> rows{};
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code)
        rows[static_cast<std::size_t>(code)] = dialog.grid(code)->model();
    auto* progression = new ProgressionChart(rows);
    progression->setObjectName(kProgressionName);
    pane.viewTabs()->setTabText(0, QStringLiteral("Опыт"));
    pane.AddView(progression, QStringLiteral("Прогрессия"));
}

// A count chosen in the box that "Создать уровни" has not applied yet; empty when none is.
QString PendingLevelCountNote(CTarnekChangeLevelDlg& dialog)
{
    const std::string chosen = dialog.ChosenLevelCount();
    const std::string& applied = dialog.model().levelCountText;
    if (chosen == applied)
        return QString();
    return QStringLiteral("Выбрано уровней: %1, в конфигурации: %2. Выбор вступит в силу только после "
                          "«Создать уровни»; заливки используют %2.")
        .arg(QString::fromStdString(chosen), QString::fromStdString(applied));
}

// The status line describes the configuration as it is now: called after every action
// that may have changed it and whenever another count is chosen.
void UpdateStatusLine(CTarnekChangeLevelDlg& dialog)
{
    QLabel* status = MainWindowStatusLine(dialog);
    if (status == nullptr)
        return;
    QStringList notes{PendingLevelCountNote(dialog)};
    if (status->property(kMarksNotedProperty).toBool())
        notes.append(MarkedCountNote(CountMarkedForCompile(dialog.model())));
    notes.removeAll(QString());
    status->setText(notes.join(QLatin1Char(' ')));
}

void FollowConfiguration(CTarnekChangeLevelDlg& dialog)
{
    MarkXpGrids(dialog);
    UpdateStatusLine(dialog);
}

} // namespace

void AddMainWindowCurves(CTarnekChangeLevelDlg& dialog)
{
    if (ChartPane::Of(dialog) != nullptr)
        return;

    // The form keeps every control where the dialog units put it, at the size the
    // dialog gave itself for them; only the XP tables grow when the window is wider.
    auto* form = new QWidget();
    form->setObjectName(QStringLiteral("xpForm"));
    const QSize formSize = dialog.size();
    const auto children = dialog.children();
    for (QObject* child : children) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow())
            widget->setParent(form);
    }
    form->setMinimumSize(formSize);
    form->setMaximumHeight(formSize.height());
    QList<QWidget*> stretched;
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code)
        stretched << dialog.xpFrame(code) << dialog.grid(code);
    new XpTablesFollowWidth(form, stretched);

    auto* pane = new ChartPane(dialog, form, QStringLiteral("График опыта"), QString::fromLatin1(kChartShownKey),
                               kSmallestChartHeight);
    pane->controlsArea()->setWidgetResizable(true);
    CurveChart* chart = pane->chart();
    chart->setObjectName(QStringLiteral("xpChart"));
    chart->SetAxisTitles(QStringLiteral("Уровень"), QStringLiteral("Опыт для уровня (XP)"),
                         QStringLiteral("Опыт за убийство (XP)"));
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
        chart->AddCurve(QString::fromUtf8(kCurveNames[static_cast<std::size_t>(code)]), dialog.grid(code)->model(),
                        code < 2 ? CurveChart::Scale::Left : CurveChart::Scale::Right);
    }
    AddProgressionView(dialog, *pane);
    pane->splitter()->setStretchFactor(0, 0);
    pane->splitter()->setStretchFactor(1, 1);

    auto* status = new QLabel();
    status->setObjectName(kStatusLineName);
    status->setStyleSheet(QStringLiteral("color: #8b1a1a;"));
    status->setWordWrap(true);
    pane->row()->addWidget(status, 1);
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code)
        ReportDroppedValues(dialog.grid(code), status);

    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pane->splitter(), 1);
    layout->addLayout(pane->row());

    MarkXpGrids(dialog);
    // Connected after the window's own handlers, so these run once a fill, a level-count
    // change or a skill dialog has changed the configuration.
    auto follow = [&dialog] { FollowConfiguration(dialog); };
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code)
        QObject::connect(dialog.fillButton(code), &QPushButton::clicked, &dialog, follow);
    for (int tier = 1; tier <= 4; ++tier)
        QObject::connect(dialog.skillButton(tier), &QPushButton::clicked, &dialog, follow);
    QObject::connect(dialog.createLevelsButton(), &QPushButton::clicked, &dialog, follow);
    if (QPushButton* import = ImportButton(dialog))
        QObject::connect(import, &QPushButton::clicked, &dialog, follow);
    QObject::connect(dialog.levelCombo(), &QComboBox::currentIndexChanged, &dialog,
                     [&dialog] { UpdateStatusLine(dialog); });
    // A typed or pasted cell is in the configuration at once. A paste's note on dropped
    // values comes after its cells have changed, so it is not overwritten here.
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code)
        QObject::connect(dialog.grid(code)->model(), &QAbstractItemModel::dataChanged, &dialog,
                         [&dialog](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                             if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                                 UpdateStatusLine(dialog);
                         });

    FitMainWindow(dialog, AvailableArea(dialog));
}

void FitMainWindow(CTarnekChangeLevelDlg& dialog, const QRect& available)
{
    ChartPane* pane = ChartPane::Of(dialog);
    if (pane == nullptr)
        return;
    const QSize form = MainWindowForm(dialog)->minimumSize();
    // Room for the frame the window manager draws around the window.
    const int width = std::min(form.width() + 8, available.width() - 8);
    const int height = std::min(form.height() + kChartHeight + 40, available.height() - 40);
    dialog.setMinimumSize(std::min(640, width), std::min(480, height));
    dialog.resize(width, height);
    // The form gets all of its height where the screen allows, the chart what is left.
    const int formHeight = form.height() + pane->controlsArea()->horizontalScrollBar()->sizeHint().height();
    pane->controlsArea()->setMaximumHeight(formHeight);
    pane->ShareHeight(formHeight, height);
}

void NoteMarkedTexts(CTarnekChangeLevelDlg& dialog)
{
    if (QLabel* status = MainWindowStatusLine(dialog))
        status->setProperty(kMarksNotedProperty, true);
    UpdateStatusLine(dialog);
}

QLabel* MainWindowStatusLine(const CTarnekChangeLevelDlg& dialog)
{
    return dialog.findChild<QLabel*>(kStatusLineName);
}

ProgressionChart* MainWindowProgression(const CTarnekChangeLevelDlg& dialog)
{
    return dialog.findChild<ProgressionChart*>(kProgressionName);
}

QWidget* MainWindowForm(const CTarnekChangeLevelDlg& dialog)
{
    const ChartPane* pane = ChartPane::Of(dialog);
    return pane != nullptr ? pane->controlsArea()->widget() : nullptr;
}
