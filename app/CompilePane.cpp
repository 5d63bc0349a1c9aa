#include "app/CompilePane.h"

#include <exception>

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QVBoxLayout>

#include "model/NumberFormats.h"
#include "widgets/QtText.h"

namespace {

// What the pane holds on to: a flood of output scrolls the oldest lines away.
constexpr int kShownLines = 20000;
constexpr std::size_t kPendingLines = 20000;
constexpr int kOutputIntervalMs = 100;
constexpr int kSmallestHeight = 160;
const QString kPaneName = QStringLiteral("compilePane");

QString ErrorCount(std::size_t n)
{
    return ToQString(FormatCountOf(n, {"ошибка", "ошибки", "ошибок"}));
}

QString Headline(const CompileResult& result)
{
    const QString compiler = ToQString(result.compiler.filename().string());
    const QString folder = QStringLiteral("\nПапка: %1").arg(ToQString(result.folder.string()));
    switch (OutcomeOf(result)) {
    case CompileOutcome::Compiled:
        return QStringLiteral("Плагин скомпилирован: %1 (%2)")
            .arg(QString::fromUtf8(kCompiledPluginName))
            .arg(ToQString(FormatCountOf(static_cast<std::size_t>(result.pluginSize), {"байт", "байта", "байт"})));
    case CompileOutcome::Errors:
        return QStringLiteral("Компиляция не удалась: %1").arg(ErrorCount(result.errors));
    case CompileOutcome::NoCompiler:
        return QStringLiteral("Не найден компилятор плагина: %1").arg(compiler) + folder;
    case CompileOutcome::NotStartable:
        return QStringLiteral("Не удалось запустить компилятор плагина: %1 (ошибка %2)")
                   .arg(compiler)
                   .arg(result.startError) +
               folder;
    case CompileOutcome::Cancelled:
        return QStringLiteral("Компиляция прервана");
    case CompileOutcome::NoPlugin:
        if (result.end.signal != 0)
            return QStringLiteral("Компиляция не удалась: компилятор остановлен сигналом %1").arg(result.end.signal);
        return QStringLiteral("Компиляция не удалась: компилятор не создал %1 (можно ли писать в папку compiled?)")
                   .arg(QString::fromUtf8(kCompiledPluginName)) +
               folder;
    }
    return {};
}

}  // namespace

CompilePane::CompilePane(QWidget* parent)
    : QWidget(parent), headline_(new QLabel(this)), cancel_(new QPushButton(QStringLiteral("Прервать"), this)),
      output_(new QPlainTextEdit(this)), diagnostics_(new QListWidget(this))
{
    setObjectName(kPaneName);
    setMinimumHeight(kSmallestHeight);
    headline_->setObjectName(QStringLiteral("compileHeadline"));
    headline_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cancel_->setEnabled(false);
    cancel_->setToolTip(QStringLiteral("Останавливает компилятор; плагин тогда не создаётся"));
    output_->setObjectName(QStringLiteral("compileOutput"));
    output_->setReadOnly(true);
    output_->setMaximumBlockCount(kShownLines);
    output_->setLineWrapMode(QPlainTextEdit::NoWrap);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    diagnostics_->setObjectName(QStringLiteral("compileDiagnostics"));

    auto* top = new QHBoxLayout();
    top->addWidget(headline_, 1);
    top->addWidget(cancel_);
    auto* lists = new QSplitter(Qt::Horizontal, this);
    lists->addWidget(output_);
    lists->addWidget(diagnostics_);
    lists->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(lists, 1);

    connect(cancel_, &QPushButton::clicked, this, &CompilePane::Cancel);
    connect(diagnostics_, &QListWidget::itemActivated, this, &CompilePane::Activate);
    outputTimer_.setInterval(kOutputIntervalMs);
    connect(&outputTimer_, &QTimer::timeout, this, &CompilePane::TakeOutput);
}

CompilePane::~CompilePane()
{
    if (worker_.joinable()) {
        run_->Cancel();
        worker_.join();
    }
}

bool CompilePane::Start(const std::filesystem::path& dir, GeneratedLines lines)
{
    if (running())
        return false;
    output_->clear();
    diagnostics_->clear();
    values_.clear();
    headline_->setText(QStringLiteral("Компиляция…"));
    cancel_->setEnabled(true);
    run_ = std::make_unique<PluginCompileRun>(dir, std::move(lines));
    worker_ = std::thread([this, run = run_.get()] {
        auto result = std::make_shared<CompileResult>();
        try {
            *result = run->Run([this](const std::string& line) {
                const std::lock_guard lock(pendingMutex_);
                if (pending_.size() >= kPendingLines) {
                    pending_.pop_front();
                    ++pendingDropped_;
                }
                pending_.push_back(line);
            });
        } catch (const std::exception&) {
            // Out of memory or the like: the window learns that the compile came to nothing.
            result->start = CompileStart::NotStartable;
        }
        // Queued on this object: should the pane go first, its destructor has joined.
        QMetaObject::invokeMethod(
            this, [this, result] { Finish(*result); }, Qt::QueuedConnection);
    });
    outputTimer_.start();
    emit runningChanged(true);
    return true;
}

void CompilePane::Cancel()
{
    if (running())
        run_->Cancel();
}

void CompilePane::TakeOutput()
{
    std::deque<std::string> lines;
    std::size_t dropped = 0;
    {
        const std::lock_guard lock(pendingMutex_);
        lines.swap(pending_);
        std::swap(dropped, pendingDropped_);
    }
    if (dropped > 0)
        output_->appendPlainText(QStringLiteral("… пропущено строк: %1").arg(dropped));
    if (lines.empty())
        return;
    QString text;
    for (const std::string& line : lines) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += ToQString(line);
    }
    output_->appendPlainText(text);
}

void CompilePane::Finish(const CompileResult& result)
{
    worker_.join();
    outputTimer_.stop();
    TakeOutput();
    cancel_->setEnabled(false);
    headline_->setText(Headline(result));
    ListDiagnostics(result);
    emit runningChanged(false);
}

void CompilePane::ListDiagnostics(const CompileResult& result)
{
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const LocatedDiagnostic& located : result.diagnostics) {
        const CompilerDiagnostic& d = located.diagnostic;
        QString text = ToQString(located.outputLine).trimmed();
        auto* item = new QListWidgetItem(d.kind == DiagnosticKind::Warning ? warningIcon : errorIcon, QString());
        if (located.value) {
            item->setData(Qt::UserRole, static_cast<qulonglong>(values_.size()));
            values_.push_back(*located.value);
            if (valueNames_)
                text += QStringLiteral(" — ") + valueNames_(*located.value);
        }
        item->setText(text);
        item->setToolTip(text);
        diagnostics_->addItem(item);
    }
}

void CompilePane::Activate(QListWidgetItem* item)
{
    const QVariant index = item->data(Qt::UserRole);
    if (index.isValid())
        emit valueActivated(values_.at(index.toULongLong()));
}
