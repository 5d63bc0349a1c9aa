#include "app/PluginSourceLoad.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "app/CTarnekChangeLevelDlg.h"
#include "app/XpTables.h"
#include "pluginsrc/PluginSourceReader.h"
#include "pluginsrc/SourceAdoption.h"
#include "widgets/MessageBoxSink.h"
#include "widgets/UserMessageBox.h"

namespace {

const QString kCaption = QStringLiteral("Загрузка из исходников плагина");

std::filesystem::path PluginFolder()
{
    std::error_code error;
    std::filesystem::path dir = std::filesystem::current_path(error);
    return error ? std::filesystem::path(".") : dir;
}

QString ChangesText(const AdoptionChanges& changes)
{
    if (!changes.Any())
        return QStringLiteral(
            "Настройки в tarnek/base.h и tarnek/skills.inl совпадают с редактором: ничего не изменилось.");
    QString text = QStringLiteral("Из tarnek/base.h и tarnek/skills.inl загружено:\nизменено списков: %1, ячеек: %2")
                       .arg(changes.lists)
                       .arg(changes.cells);
    if (changes.singleValues > 0)
        text += QStringLiteral("\nизменено других значений (аура преданности, максимальные шансы): %1")
                    .arg(changes.singleValues);
    if (changes.previousLevelCount)
        text +=
            QStringLiteral("\nколичество уровней: %1 (было %2)")
                .arg(QString::fromStdString(changes.levelCount), QString::fromStdString(*changes.previousLevelCount));
    return text + QStringLiteral("\n\nИзменения ещё не сохранены.");
}

}  // namespace

void LoadPluginSources(CTarnekChangeLevelDlg& dialog)
{
    if (!dialog.initialised())
        return;
    // What the window shows is what the sources are compared with and what they replace.
    dialog.CommitEditor();
    dialog.xpTables()->CommitBoxes();
    const PluginSourcesReading reading = ReadPluginSources(PluginFolder());
    if (!reading) {
        UserMessageBox::Show(
            &dialog,
            QStringLiteral("Настройки из исходников плагина не загружены.\n%1\n\nВ редакторе ничего не изменилось.")
                .arg(QString::fromStdString(reading.failure().Text())),
            kCaption, QMessageBox::Warning);
        return;
    }
    tarnekArrayStruct adopted = dialog.model();
    const AdoptionChanges changes = AdoptPluginSources(*reading, adopted);
    if (changes.Any())
        dialog.ReplaceConfiguration(std::move(adopted), QStringLiteral("загрузку из исходников плагина"));
    UserMessageBox::Show(&dialog, ChangesText(changes), kCaption, QMessageBox::Information);
}

void OfferPluginSourcesOnFirstStart(CTarnekChangeLevelDlg& dialog)
{
    if (!dialog.initialised() || !dialog.databaseCreated())
        return;
    MessageBoxSink sink(&dialog);
    if (!PrepareFirstStartOffer(PluginFolder(), dialog.model(), sink))
        return;
    const auto answer = UserMessageBox::Show(
        &dialog, QStringLiteral("В папке плагина уже есть настройки уровней. Загрузить их в редактор?"), kCaption,
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        LoadPluginSources(dialog);
}
