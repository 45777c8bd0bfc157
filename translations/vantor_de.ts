<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Acquisition</name>
    <message>
        <source>Buffer Overflow</source>
        <translation>Pufferüberlauf</translation>
    </message>
    <message>
        <source>Speicher-/Sample-Maximum erreicht</source>
        <translation>Speicher-/Sample-Maximum erreicht</translation>
    </message>
    <message>
        <source>Port disconnected</source>
        <translation>Port getrennt</translation>
    </message>
    <message>
        <source>Port reconnected</source>
        <translation>Port wieder verbunden</translation>
    </message>
</context>
<context>
    <name>ChannelTable</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Faktor</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
</context>
<context>
    <name>DialogFileNames</name>
    <message>
        <source>Graphic Files (*.bmp)|*.BMP</source>
        <translation>Grafikdateien (*.bmp)|*.BMP</translation>
    </message>
    <message>
        <source>Vantor Files (*.vnx)|*.VNX</source>
        <translation>Vantor-Dateien (*.vnx)|*.VNX</translation>
    </message>
    <message>
        <source>Vantor Files (*.csv)|*.CSV</source>
        <translation>Vantor-Dateien (*.csv)|*.CSV</translation>
    </message>
    <message>
        <source>Vantor Files (*.vns)|*.VNs</source>
        <translation>Vantor-Dateien (*.vns)|*.VNs</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.CSV</source>
        <translation>CSV-Dateien (*.csv)|*.CSV</translation>
    </message>
</context>
<context>
    <name>InOutError</name>
    <message>
        <source>Datei nicht gefunden</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Ungültiger Dateiname</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>Zu viele geöffnete Dateien</source>
        <translation>Zu viele geöffnete Dateien</translation>
    </message>
    <message>
        <source>Dateizugriff verweigert</source>
        <translation>Dateizugriff verweigert</translation>
    </message>
    <message>
        <source>Dateiende gelesen</source>
        <translation>Dateiende gelesen</translation>
    </message>
    <message>
        <source>Disk voll</source>
        <translation>Disk voll</translation>
    </message>
    <message>
        <source>Dateivariable nicht zugeordnet</source>
        <translation>Dateivariable nicht zugeordnet</translation>
    </message>
    <message>
        <source>Datei nicht geöffnet</source>
        <translation>Datei nicht geöffnet</translation>
    </message>
    <message>
        <source>Datei nicht für Eingabe geöffnet</source>
        <translation>Datei nicht für Eingabe geöffnet</translation>
    </message>
    <message>
        <source>Datei nicht für Ausgabe geöffnet</source>
        <translation>Datei nicht für Ausgabe geöffnet</translation>
    </message>
    <message>
        <source>Ungültige Eingabe</source>
        <translation>Ungültige Eingabe</translation>
    </message>
    <message>
        <source>E/A-Fehler %1</source>
        <translation>E/A-Fehler %1</translation>
    </message>
    <message>
        <source>Das Ende von %1 ist abgeschnitten: %2 ganze Datensätze wurden geladen, die letzten %3 Bytes nicht.</source>
        <translation>Das Ende von %1 ist abgeschnitten: %2 ganze Datensätze wurden geladen, die letzten %3 Bytes nicht.</translation>
    </message>
    <message>
        <source>%1 ist ein Ordner, keine Datei</source>
        <translation>%1 ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei</source>
        <translation>%1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>%1 ist zu groß zum Laden: %2, höchstens %3 passen in den Arbeitsspeicher</source>
        <translation>%1 ist zu groß zum Laden: %2, höchstens %3 passen in den Arbeitsspeicher</translation>
    </message>
</context>
<context>
    <name>NumberText</name>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Gleitkommawert</source>
        <translation>&apos;%1&apos; ist kein gültiger Gleitkommawert</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Integerwert</source>
        <translation>&apos;%1&apos; ist kein gültiger Integerwert</translation>
    </message>
</context>
<context>
    <name>PortAccess</name>
    <message>
        <source>Your user may not open %1. Ask the administrator of this computer for read and write access to it.</source>
        <translation>Ihr Benutzer darf %1 nicht öffnen. Bitten Sie den Administrator dieses Rechners um Lese- und Schreibrecht darauf.</translation>
    </message>
    <message>
        <source>Your user may not open %1. The port belongs to the group &quot;%2&quot;: add your user to it with

    sudo usermod -aG %2 $USER

then log out and log in again.</source>
        <translation>Ihr Benutzer darf %1 nicht öffnen. Der Port gehört der Gruppe &quot;%2&quot;: Fügen Sie Ihren Benutzer mit

    sudo usermod -aG %2 $USER

hinzu, melden Sie sich dann ab und wieder an.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close the port there, then try again.</source>
        <translation>%1 wird von einem anderen Programm benutzt. Schließen Sie den Port dort und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (Prozess %2)</translation>
    </message>
    <message>
        <source>%1 is in use by another program: %2. Close the port there, then try again.</source>
        <translation>%1 wird von einem anderen Programm benutzt: %2. Schließen Sie den Port dort und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>No port is chosen, and no serial port is found now. Plug the device in and pick its port from the list, or pick %1 to try the program without a device.</source>
        <translation>Es ist kein Port gewählt, und zurzeit wird keine serielle Schnittstelle gefunden. Schließen Sie das Gerät an und wählen Sie seinen Port aus der Liste, oder wählen Sie %1, um das Programm ohne Gerät auszuprobieren.</translation>
    </message>
    <message>
        <source>No port is chosen. Pick one from the list; the ports found now are

%1

or pick %2 to try the program without a device.</source>
        <translation>Es ist kein Port gewählt. Wählen Sie einen aus der Liste; zurzeit gefunden werden

%1

oder wählen Sie %2, um das Programm ohne Gerät auszuprobieren.</translation>
    </message>
    <message>
        <source>No serial port is found now.</source>
        <translation>Zurzeit wird keine serielle Schnittstelle gefunden.</translation>
    </message>
    <message>
        <source>The ports found now are

%1</source>
        <translation>Zurzeit gefundene Ports:

%1</translation>
    </message>
    <message>
        <source>There is no device %1. Is it plugged in and switched on? %2

A USB adapter keeps its name under /dev/serial/by-id/ when it is plugged in again or into another socket; that name can be typed into the port box.</source>
        <translation>Es gibt kein Gerät %1. Ist es angeschlossen und eingeschaltet? %2

Ein USB-Adapter behält seinen Namen unter /dev/serial/by-id/, auch wenn er neu oder an einer anderen Buchse eingesteckt wird; dieser Name kann in das Port-Feld eingegeben werden.</translation>
    </message>
    <message>
        <source>%1 is not a serial device. Pick a port from the list.</source>
        <translation>%1 ist keine serielle Schnittstelle. Wählen Sie einen Port aus der Liste.</translation>
    </message>
    <message>
        <source>%1 reports an input/output error. Check the cable and the adapter: unplug the adapter, plug it in again and retry.</source>
        <translation>%1 meldet einen Ein-/Ausgabefehler. Prüfen Sie Kabel und Adapter: Adapter abziehen, wieder einstecken und erneut versuchen.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Manufacturer: </source>
        <translation>Hersteller: </translation>
    </message>
    <message>
        <source>Serial number: </source>
        <translation>Seriennummer: </translation>
    </message>
</context>
<context>
    <name>RunRecording</name>
    <message>
        <source>REC %1 (wartet auf Start)</source>
        <translation>REC %1 (wartet auf Start)</translation>
    </message>
    <message>
        <source>REC %1  %2  %3</source>
        <translation>REC %1  %2  %3</translation>
    </message>
    <message>
        <source>%1 – Aufzeichnung beendet: %2, %3 Samples</source>
        <translation>%1 – Aufzeichnung beendet: %2, %3 Samples</translation>
    </message>
</context>
<context>
    <name>SampleRecorder</name>
    <message>
        <source>Die Aufzeichnung %1 wurde beendet: das Schreiben kam den Daten nicht nach. Sie enthält %2 Samples.</source>
        <translation>Die Aufzeichnung %1 wurde beendet: das Schreiben kam den Daten nicht nach. Sie enthält %2 Samples.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 wurde beendet: %2. Sie enthält %3 Samples.</source>
        <translation>Die Aufzeichnung %1 wurde beendet: %2. Sie enthält %3 Samples.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 kann nicht angelegt werden: %2</source>
        <translation>Die Aufzeichnung %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>kein Programm liest aus der Datei</source>
        <translation>kein Programm liest aus der Datei</translation>
    </message>
    <message>
        <source>das lesende Programm hat die Datei geschlossen</source>
        <translation>das lesende Programm hat die Datei geschlossen</translation>
    </message>
    <message>
        <source>das lesende Programm nimmt nichts mehr an</source>
        <translation>das lesende Programm nimmt nichts mehr an</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 wurde beendet: die Datei wurde gelöscht oder ersetzt, nachdem %2 Samples geschrieben waren.</source>
        <translation>Die Aufzeichnung %1 wurde beendet: die Datei wurde gelöscht oder ersetzt, nachdem %2 Samples geschrieben waren.</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>      V a n t o r  Vers. 1.0</source>
        <translation>      V a n t o r  Vers. 1.0</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufz.</translation>
    </message>
    <message>
        <source>Record every sample to a CSV file: with the next Start, or at once during a run</source>
        <translation>Jeden Messwert in eine CSV-Datei aufzeichnen: ab dem nächsten Start oder sofort während einer Messung</translation>
    </message>
    <message>
        <source> Clear</source>
        <translation> Löschen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>  Serial Interface </source>
        <translation>  Serielle Schnittstelle </translation>
    </message>
    <message>
        <source>Com</source>
        <translation>Port</translation>
    </message>
    <message>
        <source> Baud</source>
        <translation> Baud</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Semikolon</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leerzeichen</translation>
    </message>
    <message>
        <source> Ch Delim.</source>
        <translation> Trennz.</translation>
    </message>
    <message>
        <source>  Channel  </source>
        <translation>  Kanäle  </translation>
    </message>
    <message>
        <source>1 Ch</source>
        <translation>1 Ch</translation>
    </message>
    <message>
        <source>2 Ch&apos;s</source>
        <translation>2 Ch</translation>
    </message>
    <message>
        <source>3 to 8 channels</source>
        <translation>3 bis 8 Kanäle</translation>
    </message>
    <message>
        <source>  Port </source>
        <translation>  Port </translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>  Graphic </source>
        <translation>  Grafik </translation>
    </message>
    <message>
        <source>Update ms</source>
        <translation>Update ms</translation>
    </message>
    <message>
        <source>MaxSamples</source>
        <translation>MaxSamples</translation>
    </message>
    <message>
        <source>Disp Xmax</source>
        <translation>Anz. Xmax</translation>
    </message>
    <message>
        <source>  Show Port </source>
        <translation>  Port anzeigen </translation>
    </message>
    <message>
        <source>Project Name</source>
        <translation>Projektname</translation>
    </message>
    <message>
        <source>  Kanal 1 (blau) </source>
        <translation>  Kanal 1 (blau) </translation>
    </message>
    <message>
        <source>Scale Factor</source>
        <translation>Skalierfaktor</translation>
    </message>
    <message>
        <source>Offset after Scaling</source>
        <translation>Offset nach Skalierung</translation>
    </message>
    <message>
        <source>Graph Y max</source>
        <translation>Grafik Y max</translation>
    </message>
    <message>
        <source>Graph Y min</source>
        <translation>Grafik Y min</translation>
    </message>
    <message>
        <source>CH 1  Name</source>
        <translation>CH 1  Name</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source> Cursor Time Skale</source>
        <translation> Cursor-Zeitskala</translation>
    </message>
    <message>
        <source>us</source>
        <translation>us</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>MC Sample/Time</source>
        <translation>µC-Samplezeit</translation>
    </message>
    <message>
        <source>  Kanal 2 (rot) </source>
        <translation>  Kanal 2 (rot) </translation>
    </message>
    <message>
        <source>CH 2  Name</source>
        <translation>CH 2  Name</translation>
    </message>
    <message>
        <source>Dezimaltrennung = Komma</source>
        <translation>Dezimaltrennung = Komma</translation>
    </message>
    <message>
        <source>CH 3-8</source>
        <translation>CH 3-8</translation>
    </message>
    <message>
        <source>Channels 3 to 8: tick a channel to show it, double-click a field to change it</source>
        <translation>Kanäle 3 bis 8: einen Kanal anhaken, um ihn anzuzeigen; ein Feld doppelt anklicken, um es zu ändern</translation>
    </message>
    <message>
        <source>  Fast Display  </source>
        <translation>  Schnellanzeige  </translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source> Show Grid</source>
        <translation> Gitter</translation>
    </message>
    <message>
        <source>DoubleTics</source>
        <translation>Feinteilung</translation>
    </message>
    <message>
        <source>Trend (Xmax 2000)</source>
        <translation>Trend (Xmax 2000)</translation>
    </message>
    <message>
        <source>  Slow Display    </source>
        <translation>  Langzeitanzeige    </translation>
    </message>
    <message>
        <source>Flow Trend</source>
        <translation>Laufend</translation>
    </message>
    <message>
        <source>Bold Ch1</source>
        <translation>Ch1 fett</translation>
    </message>
    <message>
        <source>Bold Ch2</source>
        <translation>Ch2 fett</translation>
    </message>
    <message>
        <source>Max. Rec</source>
        <translation>Max. Aufz.</translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source> Terminal </source>
        <translation> Terminal </translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>CR/LF</source>
        <translation>CR/LF</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Mathematic</source>
        <translation>Mathematik</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Save Fast Display As Bitmap</source>
        <translation>Schnellanzeige als Bitmap speichern</translation>
    </message>
    <message>
        <source>Save Fast Display</source>
        <translation>Schnellanzeige speichern</translation>
    </message>
    <message>
        <source>Load Fast Display</source>
        <translation>Schnellanzeige laden</translation>
    </message>
    <message>
        <source>Export Fast Display as CSV (txt) Data</source>
        <translation>Schnellanzeige als CSV-Daten (txt) exportieren</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Aufzeichnen...</translation>
    </message>
    <message>
        <source>Save Slow Display</source>
        <translation>Langzeitanzeige speichern</translation>
    </message>
    <message>
        <source>Load Slow Display</source>
        <translation>Langzeitanzeige laden</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>FFT</source>
        <translation>FFT</translation>
    </message>
    <message>
        <source>IFFT-Filter</source>
        <translation>IFFT-Filter</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Copy FD To Clipboard</source>
        <translation>Schnellanzeige in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Check for new Version</source>
        <translation>Nach neuer Version suchen</translation>
    </message>
    <message>
        <source>Anzahl Samples</source>
        <translation>Anzahl Samples</translation>
    </message>
    <message>
        <source>Cursor Time</source>
        <translation>Cursorzeit</translation>
    </message>
    <message>
        <source>Normal: max %1 Samples per channel</source>
        <translation>Normal: max %1 Samples pro Kanal</translation>
    </message>
    <message>
        <source>Update alle 500 ms oder länger</source>
        <translation>Update alle 500 ms oder länger</translation>
    </message>
    <message>
        <source>Normal: max 5.000 Samples/s, max 100.000 Samples</source>
        <translation>Normal: max 5.000 Samples/s, max 100.000 Samples</translation>
    </message>
    <message>
        <source>Normal: max 4.000 Samples/s, max 50.000 Samples</source>
        <translation>Normal: max 4.000 Samples/s, max 50.000 Samples</translation>
    </message>
    <message>
        <source>Update alle 50 ms oder länger</source>
        <translation>Update alle 50 ms oder länger</translation>
    </message>
    <message>
        <source>Wählen Sie einen Ordner, in den Sie schreiben dürfen, und einen Datenträger mit freiem Platz.</source>
        <translation>Wählen Sie einen Ordner, in den Sie schreiben dürfen, und einen Datenträger mit freiem Platz.</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <source>COM</source>
        <translation>COM</translation>
    </message>
    <message>
        <source>CH 1</source>
        <translation>CH 1</translation>
    </message>
    <message>
        <source>CH 2</source>
        <translation>CH 2</translation>
    </message>
    <message>
        <source>The channel that meter 1 and its value under the trend show</source>
        <translation>Der Kanal, den Zeigerinstrument 1 und sein Wert unter dem Trend anzeigen</translation>
    </message>
    <message>
        <source>The channel that meter 2 and its value under the trend show</source>
        <translation>Der Kanal, den Zeigerinstrument 2 und sein Wert unter dem Trend anzeigen</translation>
    </message>
</context>
<context>
    <name>TFormHilfe</name>
    <message>
        <source>Übersicht
---------------
Vantor stellt Daten grafisch dar, die über die COM-Schnittstelle des PCs
(auch eine virtuelle USB-Schnittstelle) empfangen werden.
Das Programm ist als Hilfsmittel bei der Entwicklung von
Mikrocontroller-Anwendungen gedacht.
Auch Daten aus anderen Quellen lassen sich darstellen, sofern sie die
unten beschriebenen Formatierungsvorgaben einhalten.


Datenformat / Formatierungsvorgaben
---------------------------------------------------------
Ein Kanal:
Der Messwert wird als Text gesendet, danach folgt
CR + LF (ASC 13 und ASC 10) als Endekennung.
Beispiel:  12.5 + CR + LF

Zwei Kanäle:
Die beiden Messwerte werden als Text gesendet und durch ein Semikolon
getrennt, danach folgt CR + LF.
Beispiel:  12.5;3.75 + CR + LF

Drei bis acht Kanäle:
Die Messwerte werden wie bei zwei Kanälen durch das gewählte
Trennzeichen getrennt. Fehlende Werte zählen als 0, überzählige
werden ignoriert. Zum Ausprobieren sendet der Port &quot;DEMO 8&quot; acht Kanäle.
Beispiel:  1.5;2;-0.25;7 + CR + LF

Dezimaltrennzeichen in den Daten ist immer der Punkt.

Das Fast Display kann vom Mikrocontroller aus gelöscht werden:
Syntax;       clr + CR + LF    oder  CLR + CR + LF     (als ASCI-String senden)


X-Achse
------------
Die X-Achse ist im Slow-Display zeitgesteuert.
Im Fast Display ist die X-Achse nicht zeitbezogen: Sie zählt die
empfangenen Werte bzw. Wertepaare.


Limitierungen 
--------------------
Die zulässigen Datenraten werden abhängig von den Einstellungen oben
rechts angezeigt.
Ein großer Schnittstellenpuffer und eine dynamische Darstellung sorgen
dafür, dass die Grafik auch bei hohen Datenraten funktioniert.
Das Aktualisierungsintervall (&quot;Updates alle ms&quot;) bestimmt, wie schnell
die Grafik neue Werte aus dem Puffer übernimmt.
Bei sehr hohen Datenraten, besonders mit zwei Kanälen, sollte es
mindestens 500 ms oder 1000 ms betragen.


Bedienung
----------------
Die Bedienung ist weitgehend selbsterklärend. Einige Hinweise:
Unter Linux braucht der Benutzer Lese- und Schreibrecht auf die serielle
Schnittstelle, meist über die Gruppe &quot;dialout&quot;:
    sudo usermod -aG dialout $USER
danach ab- und wieder anmelden. Ohne Gerät lässt sich Vantor mit den
Ports &quot;DEMO&quot; und &quot;DEMO 8&quot; ausprobieren.

Die Bedeutung von Xmax
Xmax skaliert die Grafik auf den sichtbaren Bereich. Die Erfassung endet
nicht bei Xmax: Weitere Daten werden außerhalb des sichtbaren Bereichs
gezeichnet und lassen sich mit Pan und Zoom ins Bild holen.
Anders im Trend-Modus: Dort ist Xmax das tatsächlich angezeigte Fenster,
und die ältesten Daten werden entfernt.
Im Normal-Modus werden mit einem Kanal bis zu 100.000 Punkte erfasst,
mit zwei Kanälen bis zu 50.000. Der Trend-Modus läuft ohne Begrenzung.

Grafik Pan und Zoom
Bei gedrückter linker Maustaste lässt sich die Grafik verschieben
oder zoomen.

Reset
Die Reset-Taste stellt die Achsenskalierung wieder auf die eingegebenen
Werte ein und übernimmt zugleich geänderte Werte in die Grafik.

Aufzeichnen
&quot;Record&quot; schreibt jeden empfangenen Wert mit Uhrzeit in eine CSV-Datei,
so lange die Erfassung läuft, auch über Stunden.

Nach der Datenerfassung
Auch nach einer Erfassung lässt sich die Grafik für alle Y- und
X-Einstellungen neu skalieren: die Felder ändern und Reset drücken.</source>
        <translation>Übersicht
---------------
Vantor stellt Daten grafisch dar, die über eine serielle Schnittstelle des PCs
(auch eine virtuelle USB-Schnittstelle) empfangen werden.
Das Programm ist als Hilfsmittel bei der Entwicklung von
Mikrocontroller-Anwendungen gedacht.
Auch Daten aus anderen Quellen lassen sich darstellen, sofern sie die
unten beschriebenen Formatierungsvorgaben einhalten.


Datenformat / Formatierungsvorgaben
---------------------------------------------------------
Ein Kanal:
Der Messwert wird als Text gesendet, danach folgt
CR + LF (ASCII 13 und ASCII 10) als Endekennung.
Beispiel:  12.5 + CR + LF

Zwei Kanäle:
Die beiden Messwerte werden als Text gesendet und durch ein Semikolon
getrennt, danach folgt CR + LF.
Beispiel:  12.5;3.75 + CR + LF

Drei bis acht Kanäle:
Die Messwerte werden wie bei zwei Kanälen durch das gewählte
Trennzeichen getrennt. Fehlende Werte zählen als 0, überzählige
werden ignoriert. Zum Ausprobieren sendet der Port &quot;DEMO 8&quot; acht Kanäle.
Beispiel:  1.5;2;-0.25;7 + CR + LF

Dezimaltrennzeichen in den Daten ist immer der Punkt.

Die Schnellanzeige kann vom Mikrocontroller aus gelöscht werden:
Syntax:       clr + CR + LF    oder  CLR + CR + LF     (als ASCII-Text senden)


X-Achse
------------
Die X-Achse ist in der Langzeitanzeige zeitgesteuert.
In der Schnellanzeige ist die X-Achse nicht zeitbezogen: Sie zählt die
empfangenen Werte bzw. Wertepaare.


Grenzen
--------------------
Die zulässigen Datenraten werden abhängig von den Einstellungen oben
rechts angezeigt.
Ein großer Schnittstellenpuffer und eine dynamische Darstellung sorgen
dafür, dass die Grafik auch bei hohen Datenraten funktioniert.
Das Aktualisierungsintervall (&quot;Update ms&quot;) bestimmt, wie schnell
die Grafik neue Werte aus dem Puffer übernimmt.
Bei sehr hohen Datenraten, besonders mit zwei Kanälen, sollte es
mindestens 500 ms oder 1000 ms betragen.


Bedienung
----------------
Die Bedienung ist weitgehend selbsterklärend. Einige Hinweise:
Unter Linux braucht der Benutzer Lese- und Schreibrecht auf die serielle
Schnittstelle, meist über die Gruppe &quot;dialout&quot;:
    sudo usermod -aG dialout $USER
danach ab- und wieder anmelden. Ohne Gerät lässt sich Vantor mit den
Ports &quot;DEMO&quot; und &quot;DEMO 8&quot; ausprobieren.

Die Bedeutung von Xmax
Xmax skaliert die Grafik auf den sichtbaren Bereich. Die Erfassung endet
nicht bei Xmax: Weitere Daten werden außerhalb des sichtbaren Bereichs
gezeichnet und lassen sich mit Pan und Zoom ins Bild holen.
Anders im Trend-Modus: Dort ist Xmax das tatsächlich angezeigte Fenster,
und die ältesten Daten werden entfernt.
Im Normal-Modus werden mit einem Kanal bis zu 100.000 Punkte erfasst,
mit zwei Kanälen bis zu 50.000. Der Trend-Modus läuft ohne Begrenzung.

Grafik Pan und Zoom
Bei gedrückter linker Maustaste lässt sich die Grafik verschieben
oder zoomen.

Reset
Die Reset-Taste stellt die Achsenskalierung wieder auf die eingegebenen
Werte ein und übernimmt zugleich geänderte Werte in die Grafik.

Aufzeichnen
&quot;Aufz.&quot; schreibt jeden empfangenen Wert mit Uhrzeit in eine CSV-Datei,
so lange die Erfassung läuft, auch über Stunden.

Nach der Datenerfassung
Auch nach einer Erfassung lässt sich die Grafik für alle Y- und
X-Einstellungen neu skalieren: die Felder ändern und Reset drücken.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>     Hilfe</source>
        <translation>     Hilfe</translation>
    </message>
</context>
<context>
    <name>TFormInfo</name>
    <message>
        <source>Version 1.0

Vantor developers

Live charts of serial data
for microcontroller developers

https://vantor.example
info@vantor.example

Free software under the GNU GPL,
version 3 or later. No warranty.</source>
        <translation>Version 1.0

Vantor-Entwickler

Live-Diagramme serieller Daten
für Mikrocontroller-Entwickler

https://vantor.example
info@vantor.example

Freie Software unter der GNU GPL,
Version 3 oder neuer. Ohne Gewährleistung.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>  Info</source>
        <translation>  Info</translation>
    </message>
</context>
<context>
    <name>TFormStatistics</name>
    <message>
        <source>Analyze Channel 1</source>
        <translation>Kanal 1 analysieren</translation>
    </message>
    <message>
        <source>Copy To Clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>  Statistics</source>
        <translation>  Statistik</translation>
    </message>
    <message>
        <source>Min        =  </source>
        <translation>Minimum    =  </translation>
    </message>
    <message>
        <source>Max        =  </source>
        <translation>Maximum    =  </translation>
    </message>
    <message>
        <source>Mean       =  </source>
        <translation>Mittelwert =  </translation>
    </message>
    <message>
        <source>Std Dev    =  </source>
        <translation>Std.-Abw.  =  </translation>
    </message>
    <message>
        <source>Quartile 1 =  </source>
        <translation>Quartil 1  =  </translation>
    </message>
    <message>
        <source>Quartile 2 =  </source>
        <translation>Quartil 2  =  </translation>
    </message>
    <message>
        <source>Quartile 3 =  </source>
        <translation>Quartil 3  =  </translation>
    </message>
    <message>
        <source>Skewness   =  </source>
        <translation>Schiefe    =  </translation>
    </message>
    <message>
        <source>Kurtoisis  =  </source>
        <translation>Wölbung    =  </translation>
    </message>
</context>
<context>
    <name>VersionCheck</name>
    <message>
        <source> Version Info </source>
        <translation> Versionsinfo </translation>
    </message>
    <message>
        <source>Server not found </source>
        <translation>Server nicht gefunden </translation>
    </message>
</context>
</TS>
