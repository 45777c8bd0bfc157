#include "app/help_window.h"

#include <QStringList>

namespace {

// Five sections, each a heading with a line of hyphens beneath, two empty lines between them.
const char *const kHelpLines[] = {
        "Übersicht",
        "---------------",
        "Vantor stellt Daten grafisch dar, die über die COM-Schnittstelle des PCs",
        "(auch eine virtuelle USB-Schnittstelle) empfangen werden.",
        "Das Programm ist als Hilfsmittel bei der Entwicklung von",
        "Mikrocontroller-Anwendungen gedacht.",
        "Auch Daten aus anderen Quellen lassen sich darstellen, sofern sie die",
        "unten beschriebenen Formatierungsvorgaben einhalten.",
        "",
        "",
        "Datenformat / Formatierungsvorgaben",
        "---------------------------------------------------------",
        "Ein Kanal:",
        "Der Messwert wird als Text gesendet, danach folgt",
        "CR + LF (ASC 13 und ASC 10) als Endekennung.",
        "Beispiel:  12.5 + CR + LF",
        "",
        "Zwei Kanäle:",
        "Die beiden Messwerte werden als Text gesendet und durch ein Semikolon",
        "getrennt, danach folgt CR + LF.",
        "Beispiel:  12.5;3.75 + CR + LF",
        "",
        "Dezimaltrennzeichen in den Daten ist immer der Punkt.",
        "",
        "Das Fast Display kann vom Mikrocontroller aus gelöscht werden:",
        "Syntax;       clr + CR + LF    oder  CLR + CR + LF     (als ASCI-String senden)",
        "",
        "",
        "X-Achse",
        "------------",
        "Die X-Achse ist im Slow-Display zeitgesteuert.",
        "Im Fast Display ist die X-Achse nicht zeitbezogen: Sie zählt die",
        "empfangenen Werte bzw. Wertepaare.",
        "",
        "",
        "Limitierungen ",
        "--------------------",
        "Die zulässigen Datenraten werden abhängig von den Einstellungen oben",
        "rechts angezeigt.",
        "Ein großer Schnittstellenpuffer und eine dynamische Darstellung sorgen",
        "dafür, dass die Grafik auch bei hohen Datenraten funktioniert.",
        "Das Aktualisierungsintervall (\"Updates alle ms\") bestimmt, wie schnell",
        "die Grafik neue Werte aus dem Puffer übernimmt.",
        "Bei sehr hohen Datenraten, besonders mit zwei Kanälen, sollte es",
        "mindestens 500 ms oder 1000 ms betragen.",
        "",
        "",
        "Bedienung",
        "----------------",
        "Die Bedienung ist weitgehend selbsterklärend. Einige Hinweise:",
        "Unter Windows 10 das Häkchen vor der COM-Port-Einstellung entfernen.",
        "",
        "Die Bedeutung von Xmax",
        "Xmax skaliert die Grafik auf den sichtbaren Bereich. Die Erfassung endet",
        "nicht bei Xmax: Weitere Daten werden außerhalb des sichtbaren Bereichs",
        "gezeichnet und lassen sich mit Pan und Zoom ins Bild holen.",
        "Anders im Trend-Modus: Dort ist Xmax das tatsächlich angezeigte Fenster,",
        "und die ältesten Daten werden entfernt.",
        "Im Normal-Modus werden mit einem Kanal bis zu 100.000 Punkte erfasst,",
        "mit zwei Kanälen bis zu 50.000. Der Trend-Modus läuft ohne Begrenzung.",
        "",
        "Grafik Pan und Zoom",
        "Bei gedrückter linker Maustaste lässt sich die Grafik verschieben",
        "oder zoomen.",
        "",
        "Reset",
        "Die Reset-Taste stellt die Achsenskalierung wieder auf die eingegebenen",
        "Werte ein und übernimmt zugleich geänderte Werte in die Grafik.",
        "",
        "Nach der Datenerfassung",
        "Auch nach einer Erfassung lässt sich die Grafik für alle Y- und",
        "X-Einstellungen neu skalieren: die Felder ändern und Reset drücken.",
};

} // namespace

QString HelpText()
{
    QStringList lines;
    for (const char *line : kHelpLines)
        lines << QString::fromUtf8(line);
    return lines.join(QLatin1Char('\n'));
}
