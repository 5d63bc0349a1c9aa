#include "app/ConfigurationTransfer.h"

#include <string>
#include <variant>

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "app/CTarnekChangeLevelDlg.h"
#include "app/FileDialog.h"
#include "app/XpTables.h"
#include "exchange/ConfigurationJson.h"
#include "widgets/QtText.h"
#include "widgets/UserMessageBox.h"

namespace {

const QString kExportCaption = QStringLiteral("Экспорт настроек");
const QString kImportCaption = QStringLiteral("Импорт настроек");
const QString kFilter = QStringLiteral("Настройки (*.json);;Все файлы (*)");

void Warn(CTarnekChangeLevelDlg& dialog, const QString& caption, const QString& text)
{
    UserMessageBox::Show(&dialog, text, caption, QMessageBox::Warning, QMessageBox::Ok);
}

}  // namespace

void ExportConfiguration(CTarnekChangeLevelDlg& dialog)
{
    if (!dialog.initialised())
        return;
    dialog.CommitEditor();
    const QString file = fileDialog()->getSaveFileName(
        &dialog, kExportCaption, QDir::current().filePath(QStringLiteral("levels.json")), kFilter);
    if (file.isEmpty())
        return;

    // The grids' edits are in the session already; the parameter boxes are read as a fill
    // reads them.
    dialog.xpTables()->CommitBoxes();
    const tarnekArrayStruct& model = dialog.model();

    const auto json = ConfigurationToJson(model, Wording::Russian);
    if (!json) {
        Warn(dialog, kExportCaption,
             QStringLiteral("Настройки не экспортированы: %1").arg(ToQString(json.failure().text)));
        return;
    }
    const std::string& text = *json;
    // Written beside and renamed over: a failed export never leaves half a file.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
        !out.commit()) {
        Warn(dialog, kExportCaption, QStringLiteral("Не удалось записать «%1»: %2").arg(file, out.errorString()));
        return;
    }
    dialog.SetStatus(QStringLiteral("Экспортировано: %1").arg(QDir::toNativeSeparators(file)));
}

void ImportConfiguration(CTarnekChangeLevelDlg& dialog)
{
    if (!dialog.initialised())
        return;
    const QString file = fileDialog()->getOpenFileName(&dialog, kImportCaption, QDir::currentPath(), kFilter);
    if (file.isEmpty())
        return;

    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        Warn(dialog, kImportCaption,
             QStringLiteral("Не удалось прочитать «%1»: %2. Ничего не изменено.").arg(file, in.errorString()));
        return;
    }
    const QByteArray bytes = in.read(static_cast<qint64>(kLargestConfigurationText) + 1);
    // The whole file is checked before anything changes.
    auto parsed = ConfigurationFromJson(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                        Wording::Russian);
    if (!parsed) {
        Warn(dialog, kImportCaption,
             QStringLiteral("Файл «%1» не принят, ничего не изменено.\n\n%2")
                 .arg(file, ToQString(parsed.failure().text)));
        return;
    }
    // One undo step; the user saves it, or takes it back.
    dialog.ReplaceConfiguration(std::move(*parsed), QStringLiteral("импорт настроек"));
}
