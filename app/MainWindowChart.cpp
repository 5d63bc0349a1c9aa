// The main window's chart pane and status line, kept apart from the window's controls and
// edits: the XP curves under the tables and beside them the kills the climb takes, a
// switch to hide them (remembered), the marking of the XP grids, and the status line. The
// form keeps its dialog-unit layout, except that the XP tables take any width the window
// has beyond it; it scrolls, so that the window, chart included, fits a 1280x800 screen.

#include "app/CTarnekChangeLevelDlg.h"

#include <algorithm>
#include <array>

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include "charts/ChartPane.h"
#include "charts/CurveChart.h"
#include "charts/ProgressionChart.h"
#include "grid/CellMarking.h"
#include "grid/tarnekBaseListCtrl.h"

namespace {

// The legend names the curves as the window's frames name the tables, without the console
// setting, so that all four fit beside each other.
constexpr std::array<const char*, CTarnekChangeLevelDlg::kXpTables> kCurveNames{
    "Не сохраняемые XP",
    "Сохраняемые XP",
    "Не сохраняемые XP за убийство",
    "Сохраняемые XP за убийство",
};

constexpr const char* kChartShownKey = "mainWindow/xpChartShown";
constexpr const char* kSplitterKey = "mainWindow/paneHeights";
constexpr int kChartHeight = 300;
constexpr int kSmallestChartHeight = 200;

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

void CTarnekChangeLevelDlg::BuildChartPane()
{
    QList<QWidget*> stretched;
    for (int code = 0; code < kXpTables; ++code)
        stretched << xpFrame(code) << grid(code);
    new XpTablesFollowWidth(form_, stretched);

    chartPane_ = new ChartPane(*this, form_, QStringLiteral("График опыта"), QString::fromLatin1(kChartShownKey),
                               kSmallestChartHeight);
    chartPane_->controlsArea()->setWidgetResizable(true);
    CurveChart* chart = chartPane_->chart();
    chart->setObjectName(QStringLiteral("xpChart"));
    chart->SetAxisTitles(QStringLiteral("Уровень"), QStringLiteral("Опыт для уровня (XP)"),
                         QStringLiteral("Опыт за убийство (XP)"));
    std::array<const QAbstractItemModel*, kXpTables> rows{};
    for (int code = 0; code < kXpTables; ++code) {
        rows[static_cast<std::size_t>(code)] = grid(code)->model();
        chart->AddCurve(QString::fromUtf8(kCurveNames[static_cast<std::size_t>(code)]), grid(code)->model(),
                        code < 2 ? CurveChart::Scale::Left : CurveChart::Scale::Right);
    }
    // Beside the XP curves, what they mean for a player: the kills the climb takes.
    progression_ = new ProgressionChart(rows);
    progression_->setObjectName(QStringLiteral("progressionChart"));
    chartPane_->viewTabs()->setTabText(0, QStringLiteral("Опыт"));
    chartPane_->AddView(progression_, QStringLiteral("Прогрессия"));
    chartPane_->splitter()->setStretchFactor(0, 0);
    chartPane_->splitter()->setStretchFactor(1, 1);

    statusLine_ = new QLabel();
    statusLine_->setObjectName(QStringLiteral("statusLine"));
    statusLine_->setWordWrap(true);
    chartPane_->row()->addWidget(statusLine_, 1);
    for (int code = 0; code < kXpTables; ++code)
        ReportDroppedValues(grid(code), statusLine_);
    connect(levelCombo(), &QComboBox::currentIndexChanged, this, &CTarnekChangeLevelDlg::UpdateStatusLine);

    // The actions under the panes: whatever the panes and the window's size, they show.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(chartPane_->splitter(), 1);
    layout->addWidget(actionRow_);
    layout->addLayout(chartPane_->row());
    connect(chartPane_->splitter(), &QSplitter::splitterMoved, this, [this] {
        QVariantList sizes;
        for (int size : chartPane_->splitter()->sizes())
            sizes.append(size);
        QSettings().setValue(QString::fromLatin1(kSplitterKey), sizes);
    });

    FitToScreen(AvailableArea(*this));
}

void CTarnekChangeLevelDlg::FitToScreen(const QRect& available)
{
    const QSize form = form_->minimumSize();
    // Room for the frame the window manager draws around the window.
    const int width = std::min(form.width() + 8, available.width() - 8);
    const int actionsHeight = actionRow_->heightForWidth(width - 8);
    const int height = std::min(form.height() + actionsHeight + kChartHeight + 40, available.height() - 40);
    setMinimumSize(std::min(640, width), std::min(480, height));
    resize(width, height);
    // The form gets all of its height where the screen allows, the chart what is left.
    const int formHeight = form.height() + chartPane_->controlsArea()->horizontalScrollBar()->sizeHint().height();
    chartPane_->controlsArea()->setMaximumHeight(formHeight);
    chartPane_->ShareHeight(formHeight, height - actionsHeight);
}

void CTarnekChangeLevelDlg::RestoreSplitter()
{
    const QVariantList stored = QSettings().value(QString::fromLatin1(kSplitterKey)).toList();
    QSplitter* splitter = chartPane_->splitter();
    if (stored.size() != splitter->count())
        return;
    QList<int> sizes;
    for (const QVariant& size : stored)
        sizes.append(std::max(size.toInt(), 1));  // a hidden pane shown later gets room
    splitter->setSizes(sizes);
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
