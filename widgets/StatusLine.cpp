#include "widgets/StatusLine.h"

#include <QLabel>

namespace {

constexpr const char* kWarningColour = "#8b1a1a";

}  // namespace

void ShowStatus(QLabel* line, const QList<StatusPart>& parts)
{
    // Rich text for the colours; every text is escaped, so a value in a message stays text.
    QStringList html;
    for (const StatusPart& part : parts) {
        if (part.text.isEmpty())
            continue;
        const QString text = part.text.toHtmlEscaped();
        html.append(part.tone == StatusTone::Warning
                        ? QStringLiteral("<span style=\"color:%1\">%2</span>").arg(QLatin1String(kWarningColour), text)
                        : text);
    }
    line->setTextFormat(Qt::RichText);
    line->setText(html.join(QLatin1Char(' ')));
}

void ShowStatus(QLabel* line, const QString& text, StatusTone tone)
{
    ShowStatus(line, {{text, tone}});
}
