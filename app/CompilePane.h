#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QString>
#include <QTimer>
#include <QWidget>

#include "pluginsrc/PluginCompiler.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

// The main window's compile output: the compiler runs on a worker thread while its output
// appears here line by line in a fixed-width font; at the end a headline says what came of
// it, and the error and warning lines are listed, each naming the list and level its line
// of base.h or skills.inl holds. Activating such a line asks the window to show that value.
class CompilePane final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CompilePane)

public:
    explicit CompilePane(QWidget* parent = nullptr);
    ~CompilePane() override;  // a running compile is cancelled and waited for

    // Starts the compiler in dir; lines names the values of the sources as just saved.
    // False, with nothing started, while a compile runs.
    bool Start(const std::filesystem::path& dir, GeneratedLines lines);
    void Cancel();
    bool running() const { return worker_.joinable(); }

    // How a value is named in the list ("Сохраняемые XP (kq4_save_xp 1), уровень 3").
    void setValueNames(std::function<QString(const GeneratedValue&)> names) { valueNames_ = std::move(names); }

    QLabel* headline() const { return headline_; }
    QPlainTextEdit* output() const { return output_; }
    QListWidget* diagnostics() const { return diagnostics_; }
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void runningChanged(bool running);
    void valueActivated(const GeneratedValue& value);

private:
    void TakeOutput();
    void Finish(const CompileResult& result);
    void ListDiagnostics(const CompileResult& result);
    void Activate(QListWidgetItem* item);

    QLabel* headline_;
    QPushButton* cancel_;
    QPlainTextEdit* output_;
    QListWidget* diagnostics_;
    QTimer outputTimer_;
    std::function<QString(const GeneratedValue&)> valueNames_;
    std::vector<GeneratedValue> values_;  // by the item's stored index

    std::unique_ptr<PluginCompileRun> run_;
    std::thread worker_;
    std::mutex pendingMutex_;
    std::deque<std::string> pending_;  // lines the worker read, not yet shown
    std::size_t pendingDropped_ = 0;
};
