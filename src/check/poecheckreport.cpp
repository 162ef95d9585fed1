#include "check/poecheckreport.h"

#include "check/poecheckresult.h"
#include "check/poetext.h"
#include "diagram/diagramitem.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

using Severity = PoeFinding::Severity;

QString cell(const QString &text)
{
    return QStringLiteral("<td>") + text + QStringLiteral("</td>");
}

QString head(const QString &text)
{
    return QStringLiteral("<th>") + text + QStringLiteral("</th>");
}

QString colour(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("#b00000");
    case Severity::Warning:
        return QStringLiteral("#b35900");
    case Severity::Info:
        break;
    }
    return QStringLiteral("#1f4e9c");
}

const char *const kTable = "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";

} // namespace

QString PoeCheckReport::html(const PoeCheckResult &result)
{
    QString text;
    text += QStringLiteral("<br/><p><b><font size=\"5\">Kontrola PoE</font></b></p>");
    text += QStringLiteral("<p>Niezależne sprawdzenie zasilania PoE: dokładny spadek napięcia przy stałej mocy "
                           "odbiornika i granice IEEE 802.3af/at/bt, obok uproszczonego budżetu projektu. "
                           "%1, %2, %3.</p>")
                .arg(PoeText::counted(result.count(Severity::Error), QStringLiteral("błąd"),
                                      QStringLiteral("błędy"), QStringLiteral("błędów")),
                     PoeText::counted(result.count(Severity::Warning), QStringLiteral("ostrzeżenie"),
                                      QStringLiteral("ostrzeżenia"), QStringLiteral("ostrzeżeń")),
                     PoeText::counted(result.count(Severity::Info), QStringLiteral("informacja"),
                                      QStringLiteral("informacje"), QStringLiteral("informacji")));

    QVector<PoeFinding> findings = result.findings;
    std::stable_sort(findings.begin(), findings.end(),
                     [](const PoeFinding &a, const PoeFinding &b) { return a.severity < b.severity; });
    if (findings.isEmpty()) {
        text += QStringLiteral("<p>Brak uwag.</p>");
    } else {
        text += QLatin1String(kTable);
        // A header row that comes again on every page the table runs onto.
        text += QStringLiteral("<thead><tr>") + head(QStringLiteral("Lp.")) + head(QStringLiteral("Waga"))
                + head(QStringLiteral("Uwaga")) + QStringLiteral("</tr></thead>");
        int number = 1;
        for (const PoeFinding &finding : qAsConst(findings)) {
            text += QStringLiteral("<tr>") + cell(QString::number(number++))
                    + cell(QStringLiteral("<font color=\"%1\">%2</font>")
                               .arg(colour(finding.severity), PoeFinding::severityName(finding.severity)))
                    + cell(finding.text.toHtmlEscaped()) + QStringLiteral("</tr>");
        }
        text += QStringLiteral("</table>");
    }

    const PoeStorageSettings &s = result.storage;
    text += QStringLiteral("<p><b>Archiwum rejestratorów</b> (%1, %2 h na dobę, zapas %3 %)</p>")
                .arg(PoeText::counted(s.archiveDays, QStringLiteral("dzień"), QStringLiteral("dni"),
                                      QStringLiteral("dni")))
                .arg(s.hoursPerDay)
                .arg(s.reservePercent);
    if (result.recorders.isEmpty()) {
        text += QStringLiteral("<p>W projekcie nie ma rejestratora.</p>");
        return text;
    }
    text += QLatin1String(kTable);
    text += QStringLiteral("<thead><tr>") + head(QStringLiteral("Rejestrator")) + head(QStringLiteral("Kamery"))
            + head(QStringLiteral("Strumienie [kbit/s]")) + head(QStringLiteral("Pojemność [TB]"))
            + QStringLiteral("</tr></thead>");
    for (const PoeCheckResult::Recorder &recorder : result.recorders) {
        text += QStringLiteral("<tr>") + cell(PoeText::itemName(recorder.item).toHtmlEscaped())
                + cell(QString::number(recorder.cameras)) + cell(PoeText::grouped(recorder.bitrate))
                + cell(PoeText::number(recorder.storageTB, 2)) + QStringLiteral("</tr>");
    }
    text += QStringLiteral("</table>");
    return text;
}

void PoeCheckReport::appendTo(QTextDocument *document, const PoeCheckResult &result)
{
    if (!document)
        return;
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertHtml(html(result));
}
