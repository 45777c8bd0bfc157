#include "app/help_window.h"

#include <QCoreApplication>

namespace {

// Five sections, each a heading with a line of hyphens beneath, two empty lines between them. One
// message, so that a translation may break its lines where its own language needs.
const char kHelpText[] = QT_TRANSLATE_NOOP(
        "TFormHilfe",
        "Übersicht\n"
        "---------------\n"
        "Vantor stellt Daten grafisch dar, die über die COM-Schnittstelle des PCs\n"
        "(auch eine virtuelle USB-Schnittstelle) empfangen werden.\n"
        "Das Programm ist als Hilfsmittel bei der Entwicklung von\n"
        "Mikrocontroller-Anwendungen gedacht.\n"
        "Auch Daten aus anderen Quellen lassen sich darstellen, sofern sie die\n"
        "unten beschriebenen Formatierungsvorgaben einhalten.\n"
        "\n"
        "\n"
        "Datenformat / Formatierungsvorgaben\n"
        "---------------------------------------------------------\n"
        "Ein Kanal:\n"
        "Der Messwert wird als Text gesendet, danach folgt\n"
        "CR + LF (ASC 13 und ASC 10) als Endekennung.\n"
        "Beispiel:  12.5 + CR + LF\n"
        "\n"
        "Zwei Kanäle:\n"
        "Die beiden Messwerte werden als Text gesendet und durch ein Semikolon\n"
        "getrennt, danach folgt CR + LF.\n"
        "Beispiel:  12.5;3.75 + CR + LF\n"
        "\n"
        "Dezimaltrennzeichen in den Daten ist immer der Punkt.\n"
        "\n"
        "Das Fast Display kann vom Mikrocontroller aus gelöscht werden:\n"
        "Syntax;       clr + CR + LF    oder  CLR + CR + LF     (als ASCI-String senden)\n"
        "\n"
        "\n"
        "X-Achse\n"
        "------------\n"
        "Die X-Achse ist im Slow-Display zeitgesteuert.\n"
        "Im Fast Display ist die X-Achse nicht zeitbezogen: Sie zählt die\n"
        "empfangenen Werte bzw. Wertepaare.\n"
        "\n"
        "\n"
        "Limitierungen \n"
        "--------------------\n"
        "Die zulässigen Datenraten werden abhängig von den Einstellungen oben\n"
        "rechts angezeigt.\n"
        "Ein großer Schnittstellenpuffer und eine dynamische Darstellung sorgen\n"
        "dafür, dass die Grafik auch bei hohen Datenraten funktioniert.\n"
        "Das Aktualisierungsintervall (\"Updates alle ms\") bestimmt, wie schnell\n"
        "die Grafik neue Werte aus dem Puffer übernimmt.\n"
        "Bei sehr hohen Datenraten, besonders mit zwei Kanälen, sollte es\n"
        "mindestens 500 ms oder 1000 ms betragen.\n"
        "\n"
        "\n"
        "Bedienung\n"
        "----------------\n"
        "Die Bedienung ist weitgehend selbsterklärend. Einige Hinweise:\n"
        "Unter Windows 10 das Häkchen vor der COM-Port-Einstellung entfernen.\n"
        "\n"
        "Die Bedeutung von Xmax\n"
        "Xmax skaliert die Grafik auf den sichtbaren Bereich. Die Erfassung endet\n"
        "nicht bei Xmax: Weitere Daten werden außerhalb des sichtbaren Bereichs\n"
        "gezeichnet und lassen sich mit Pan und Zoom ins Bild holen.\n"
        "Anders im Trend-Modus: Dort ist Xmax das tatsächlich angezeigte Fenster,\n"
        "und die ältesten Daten werden entfernt.\n"
        "Im Normal-Modus werden mit einem Kanal bis zu 100.000 Punkte erfasst,\n"
        "mit zwei Kanälen bis zu 50.000. Der Trend-Modus läuft ohne Begrenzung.\n"
        "\n"
        "Grafik Pan und Zoom\n"
        "Bei gedrückter linker Maustaste lässt sich die Grafik verschieben\n"
        "oder zoomen.\n"
        "\n"
        "Reset\n"
        "Die Reset-Taste stellt die Achsenskalierung wieder auf die eingegebenen\n"
        "Werte ein und übernimmt zugleich geänderte Werte in die Grafik.\n"
        "\n"
        "Nach der Datenerfassung\n"
        "Auch nach einer Erfassung lässt sich die Grafik für alle Y- und\n"
        "X-Einstellungen neu skalieren: die Felder ändern und Reset drücken.");

} // namespace

QString HelpText()
{
    return QCoreApplication::translate("TFormHilfe", kHelpText);
}
