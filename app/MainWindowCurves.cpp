#include "MainWindowCurves.h"

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "CTarnekChangeLevelDlg.h"
#include "CellMarking.h"
#include "ChartVisibility.h"
#include "CurveChart.h"
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

// Holds the pointers the free functions hand out; a child of the window.
class MainWindowCurves final : public QObject {
    Q_OBJECT

public:
    explicit MainWindowCurves(QObject* parent) : QObject(parent) {}

    QWidget* form = nullptr;
    QScrollArea* formArea = nullptr;
    QSplitter* splitter = nullptr;
    CurveChart* chart = nullptr;
    QCheckBox* chartSwitch = nullptr;
    QLabel* status = nullptr;
};

MainWindowCurves* Parts(const CTarnekChangeLevelDlg& dialog)
{
    return dialog.findChild<MainWindowCurves*>(QString(), Qt::FindDirectChildrenOnly);
}

// The declared array size follows the model's level count, which the fills and the
// level-count change read from the combo box.
void MarkXpGrids(CTarnekChangeLevelDlg& dialog)
{
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code)
        KeepGridMarked(dialog.grid(code), dialog.model());
}

} // namespace

void AddMainWindowCurves(CTarnekChangeLevelDlg& dialog)
{
    if (Parts(dialog) != nullptr)
        return;
    auto* parts = new MainWindowCurves(&dialog);

    // The form keeps every control where the dialog units put it, at the size the
    // dialog gave itself for them.
    parts->form = new QWidget();
    parts->form->setObjectName(QStringLiteral("xpForm"));
    const QSize formSize = dialog.size();
    const auto children = dialog.children();
    for (QObject* child : children) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow())
            widget->setParent(parts->form);
    }
    parts->form->setFixedSize(formSize);

    parts->formArea = new QScrollArea();
    parts->formArea->setWidget(parts->form);
    parts->formArea->setFrameShape(QFrame::NoFrame);
    parts->formArea->setWidgetResizable(false);

    parts->chart = new CurveChart();
    parts->chart->setObjectName(QStringLiteral("xpChart"));
    parts->chart->setAxisTitles(QStringLiteral("Уровень"), QStringLiteral("Опыт для уровня (XP)"),
                                QStringLiteral("Опыт за убийство (XP)"));
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
        parts->chart->addCurve(QString::fromUtf8(kCurveNames[static_cast<std::size_t>(code)]),
                               dialog.grid(code)->model(),
                               code < 2 ? CurveChart::Scale::Left : CurveChart::Scale::Right);
    }
    parts->chart->setMinimumHeight(kSmallestChartHeight);

    auto* splitter = new QSplitter(Qt::Vertical);
    parts->splitter = splitter;
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(parts->formArea);
    splitter->addWidget(parts->chart);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);

    parts->chartSwitch = new QCheckBox(QStringLiteral("График опыта"));
    parts->status = new QLabel();
    parts->status->setObjectName(QStringLiteral("statusLine"));
    parts->status->setStyleSheet(QStringLiteral("color: #8b1a1a;"));
    parts->status->setWordWrap(true);

    auto* bottom = new QHBoxLayout();
    bottom->addWidget(parts->chartSwitch);
    bottom->addSpacing(12);
    bottom->addWidget(parts->chart->pointedLine(), 1);
    bottom->addWidget(parts->status, 1);

    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    BindChartVisibility(parts->chartSwitch, parts->chart, QString::fromLatin1(kChartShownKey));

    MarkXpGrids(dialog);
    // Connected after the window's own handlers, so these run once a fill or a level-count
    // change has set the new count.
    for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code)
        QObject::connect(dialog.fillButton(code), &QPushButton::clicked, &dialog, [&dialog] { MarkXpGrids(dialog); });
    QObject::connect(dialog.createLevelsButton(), &QPushButton::clicked, &dialog, [&dialog] { MarkXpGrids(dialog); });

    const QScreen* screen = dialog.screen() != nullptr ? dialog.screen() : QGuiApplication::primaryScreen();
    FitMainWindow(dialog, screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 800));
}

void FitMainWindow(CTarnekChangeLevelDlg& dialog, const QRect& available)
{
    const MainWindowCurves* parts = Parts(dialog);
    if (parts == nullptr)
        return;
    const QSize form = parts->form->size();
    // Room for the frame the window manager draws around the window.
    const int width = std::min(form.width() + 8, available.width() - 8);
    const int height = std::min(form.height() + kChartHeight + 40, available.height() - 40);
    dialog.setMinimumSize(std::min(640, width), std::min(480, height));
    dialog.resize(width, height);
    // The form gets all of its height where the screen allows, the chart what is left.
    const int formHeight = form.height() + parts->formArea->horizontalScrollBar()->sizeHint().height();
    parts->formArea->setMaximumHeight(formHeight);
    parts->splitter->setSizes({formHeight, std::max(kSmallestChartHeight, height - formHeight)});
}

void NoteMarkedTexts(CTarnekChangeLevelDlg& dialog)
{
    if (const MainWindowCurves* parts = Parts(dialog))
        parts->status->setText(MarkedCountNote(CountMarkedForCompile(dialog.model())));
}

CurveChart* MainWindowChart(const CTarnekChangeLevelDlg& dialog)
{
    const MainWindowCurves* parts = Parts(dialog);
    return parts != nullptr ? parts->chart : nullptr;
}

QAbstractButton* MainWindowChartSwitch(const CTarnekChangeLevelDlg& dialog)
{
    const MainWindowCurves* parts = Parts(dialog);
    return parts != nullptr ? parts->chartSwitch : nullptr;
}

QLabel* MainWindowStatusLine(const CTarnekChangeLevelDlg& dialog)
{
    const MainWindowCurves* parts = Parts(dialog);
    return parts != nullptr ? parts->status : nullptr;
}

QWidget* MainWindowForm(const CTarnekChangeLevelDlg& dialog)
{
    const MainWindowCurves* parts = Parts(dialog);
    return parts != nullptr ? parts->form : nullptr;
}

QScrollArea* MainWindowFormArea(const CTarnekChangeLevelDlg& dialog)
{
    const MainWindowCurves* parts = Parts(dialog);
    return parts != nullptr ? parts->formArea : nullptr;
}

#include "MainWindowCurves.moc"
