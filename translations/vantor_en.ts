<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Acquisition</name>
    <message>
        <source>Speicher-/Sample-Maximum erreicht</source>
        <translation>Memory/sample maximum reached</translation>
    </message>
    <message>
        <source>Buffer Overflow</source>
        <translation>Buffer Overflow</translation>
    </message>
    <message>
        <source>Port disconnected</source>
        <translation>Port disconnected</translation>
    </message>
    <message>
        <source>Port reconnected</source>
        <translation>Port reconnected</translation>
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
        <translation>Scale</translation>
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
        <translation>Graphic Files (*.bmp)|*.BMP</translation>
    </message>
    <message>
        <source>Vantor Files (*.vnx)|*.VNX</source>
        <translation>Vantor Files (*.vnx)|*.VNX</translation>
    </message>
    <message>
        <source>Vantor Files (*.csv)|*.CSV</source>
        <translation>Vantor Files (*.csv)|*.CSV</translation>
    </message>
    <message>
        <source>Vantor Files (*.vns)|*.VNs</source>
        <translation>Vantor Files (*.vns)|*.VNs</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.CSV</source>
        <translation>CSV Files (*.csv)|*.CSV</translation>
    </message>
</context>
<context>
    <name>InOutError</name>
    <message>
        <source>Datei nicht gefunden</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Ungültiger Dateiname</source>
        <translation>Invalid file name</translation>
    </message>
    <message>
        <source>Zu viele geöffnete Dateien</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Dateizugriff verweigert</source>
        <translation>File access denied</translation>
    </message>
    <message>
        <source>Dateiende gelesen</source>
        <translation>Read beyond end of file</translation>
    </message>
    <message>
        <source>Disk voll</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>Dateivariable nicht zugeordnet</source>
        <translation>File not assigned</translation>
    </message>
    <message>
        <source>Datei nicht geöffnet</source>
        <translation>File not open</translation>
    </message>
    <message>
        <source>Datei nicht für Eingabe geöffnet</source>
        <translation>File not open for input</translation>
    </message>
    <message>
        <source>Datei nicht für Ausgabe geöffnet</source>
        <translation>File not open for output</translation>
    </message>
    <message>
        <source>Ungültige Eingabe</source>
        <translation>Invalid input</translation>
    </message>
    <message>
        <source>E/A-Fehler %1</source>
        <translation>I/O error %1</translation>
    </message>
    <message>
        <source>Das Ende von %1 ist abgeschnitten: %2 ganze Datensätze wurden geladen, die letzten %3 Bytes nicht.</source>
        <translation>The end of %1 is cut off: %2 whole records were loaded, the last %3 bytes were not.</translation>
    </message>
    <message>
        <source>%1 ist ein Ordner, keine Datei</source>
        <translation>%1 is a folder, not a file</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei</source>
        <translation>%1 is not a regular file</translation>
    </message>
    <message>
        <source>%1 ist zu groß zum Laden: %2, höchstens %3 passen in den Arbeitsspeicher</source>
        <translation>%1 is too large to load: %2, at most %3 fit into memory</translation>
    </message>
</context>
<context>
    <name>NumberText</name>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Gleitkommawert</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Integerwert</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
</context>
<context>
    <name>PortAccess</name>
    <message>
        <source>Your user may not open %1. Ask the administrator of this computer for read and write access to it.</source>
        <translation>Your user may not open %1. Ask the administrator of this computer for read and write access to it.</translation>
    </message>
    <message>
        <source>Your user may not open %1. The port belongs to the group &quot;%2&quot;: add your user to it with

    sudo usermod -aG %2 $USER

then log out and log in again.</source>
        <translation>Your user may not open %1. The port belongs to the group &quot;%2&quot;: add your user to it with

    sudo usermod -aG %2 $USER

then log out and log in again.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close the port there, then try again.</source>
        <translation>%1 is in use by another program. Close the port there, then try again.</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>%1 is in use by another program: %2. Close the port there, then try again.</source>
        <translation>%1 is in use by another program: %2. Close the port there, then try again.</translation>
    </message>
    <message>
        <source>No port is chosen, and no serial port is found now. Plug the device in and pick its port from the list, or pick %1 to try the program without a device.</source>
        <translation>No port is chosen, and no serial port is found now. Plug the device in and pick its port from the list, or pick %1 to try the program without a device.</translation>
    </message>
    <message>
        <source>No port is chosen. Pick one from the list; the ports found now are

%1

or pick %2 to try the program without a device.</source>
        <translation>No port is chosen. Pick one from the list; the ports found now are

%1

or pick %2 to try the program without a device.</translation>
    </message>
    <message>
        <source>No serial port is found now.</source>
        <translation>No serial port is found now.</translation>
    </message>
    <message>
        <source>The ports found now are

%1</source>
        <translation>The ports found now are

%1</translation>
    </message>
    <message>
        <source>There is no device %1. Is it plugged in and switched on? %2

A USB adapter keeps its name under /dev/serial/by-id/ when it is plugged in again or into another socket; that name can be typed into the port box.</source>
        <translation>There is no device %1. Is it plugged in and switched on? %2

A USB adapter keeps its name under /dev/serial/by-id/ when it is plugged in again or into another socket; that name can be typed into the port box.</translation>
    </message>
    <message>
        <source>%1 is not a serial device. Pick a port from the list.</source>
        <translation>%1 is not a serial device. Pick a port from the list.</translation>
    </message>
    <message>
        <source>%1 reports an input/output error. Check the cable and the adapter: unplug the adapter, plug it in again and retry.</source>
        <translation>%1 reports an input/output error. Check the cable and the adapter: unplug the adapter, plug it in again and retry.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Manufacturer: </source>
        <translation>Manufacturer: </translation>
    </message>
    <message>
        <source>Serial number: </source>
        <translation>Serial number: </translation>
    </message>
</context>
<context>
    <name>RunRecording</name>
    <message>
        <source>REC %1 (wartet auf Start)</source>
        <translation>REC %1 (waits for Start)</translation>
    </message>
    <message>
        <source>REC %1  %2  %3</source>
        <translation>REC %1  %2  %3</translation>
    </message>
    <message>
        <source>%1 – Aufzeichnung beendet: %2, %3 Samples</source>
        <translation>%1 – recording ended: %2, %3 samples</translation>
    </message>
</context>
<context>
    <name>SampleRecorder</name>
    <message>
        <source>Die Aufzeichnung %1 wurde beendet: das Schreiben kam den Daten nicht nach. Sie enthält %2 Samples.</source>
        <translation>The recording %1 has ended: writing could not keep up with the data. It holds %2 samples.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 wurde beendet: %2. Sie enthält %3 Samples.</source>
        <translation>The recording %1 has ended: %2. It holds %3 samples.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 kann nicht angelegt werden: %2</source>
        <translation>The recording %1 cannot be created: %2</translation>
    </message>
    <message>
        <source>kein Programm liest aus der Datei</source>
        <translation>no program reads from the file</translation>
    </message>
    <message>
        <source>das lesende Programm hat die Datei geschlossen</source>
        <translation>the reading program has closed the file</translation>
    </message>
    <message>
        <source>das lesende Programm nimmt nichts mehr an</source>
        <translation>the reading program takes nothing more</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 wurde beendet: die Datei wurde gelöscht oder ersetzt, nachdem %2 Samples geschrieben waren.</source>
        <translation>The recording %1 has ended: the file was deleted or replaced after %2 samples had been written.</translation>
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
        <translation>Stop</translation>
    </message>
    <message>
        <source> Clear</source>
        <translation> Clear</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>  Serial Interface </source>
        <translation>  Serial Interface </translation>
    </message>
    <message>
        <source>Com</source>
        <translation>Com</translation>
    </message>
    <message>
        <source> Baud</source>
        <translation> Baud</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Semicolon</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Space</translation>
    </message>
    <message>
        <source> Ch Delim.</source>
        <translation> Ch Delim.</translation>
    </message>
    <message>
        <source>  Channel  </source>
        <translation>  Channel  </translation>
    </message>
    <message>
        <source>1 Ch</source>
        <translation>1 Ch</translation>
    </message>
    <message>
        <source>2 Ch&apos;s</source>
        <translation>2 Ch&apos;s</translation>
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
        <translation>  Graphic </translation>
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
        <translation>Disp Xmax</translation>
    </message>
    <message>
        <source>  Show Port </source>
        <translation>  Show Port </translation>
    </message>
    <message>
        <source>Project Name</source>
        <translation>Project Name</translation>
    </message>
    <message>
        <source>  Kanal 1 (blau) </source>
        <translation>  Channel 1 (blue) </translation>
    </message>
    <message>
        <source>Scale Factor</source>
        <translation>Scale Factor</translation>
    </message>
    <message>
        <source>Offset after Scaling</source>
        <translation>Offset after Scaling</translation>
    </message>
    <message>
        <source>Graph Y max</source>
        <translation>Graph Y max</translation>
    </message>
    <message>
        <source>Graph Y min</source>
        <translation>Graph Y min</translation>
    </message>
    <message>
        <source>CH 1  Name</source>
        <translation>CH 1  Name</translation>
    </message>
    <message>
        <source> Cursor Time Skale</source>
        <translation> Cursor Time Scale</translation>
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
        <translation>MC Sample/Time</translation>
    </message>
    <message>
        <source>  Kanal 2 (rot) </source>
        <translation>  Channel 2 (red) </translation>
    </message>
    <message>
        <source>CH 2  Name</source>
        <translation>CH 2  Name</translation>
    </message>
    <message>
        <source>Dezimaltrennung = Komma</source>
        <translation>Decimal separator = point</translation>
    </message>
    <message>
        <source>  Fast Display  </source>
        <translation>  Fast Display  </translation>
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
        <translation> Show Grid</translation>
    </message>
    <message>
        <source>DoubleTics</source>
        <translation>DoubleTics</translation>
    </message>
    <message>
        <source>Trend (Xmax 2000)</source>
        <translation>Trend (Xmax 2000)</translation>
    </message>
    <message>
        <source>  Slow Display    </source>
        <translation>  Slow Display    </translation>
    </message>
    <message>
        <source>Flow Trend</source>
        <translation>Flow Trend</translation>
    </message>
    <message>
        <source>Bold Ch1</source>
        <translation>Bold Ch1</translation>
    </message>
    <message>
        <source>Bold Ch2</source>
        <translation>Bold Ch2</translation>
    </message>
    <message>
        <source>Max. Rec</source>
        <translation>Max. Rec</translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source> Terminal </source>
        <translation> Terminal </translation>
    </message>
    <message>
        <source>On</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>CR/LF</source>
        <translation>CR/LF</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Mathematic</source>
        <translation>Mathematic</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Save Fast Display As Bitmap</source>
        <translation>Save Fast Display As Bitmap</translation>
    </message>
    <message>
        <source>Save Fast Display</source>
        <translation>Save Fast Display</translation>
    </message>
    <message>
        <source>Load Fast Display</source>
        <translation>Load Fast Display</translation>
    </message>
    <message>
        <source>Export Fast Display as CSV (txt) Data</source>
        <translation>Export Fast Display as CSV (txt) Data</translation>
    </message>
    <message>
        <source>Save Slow Display</source>
        <translation>Save Slow Display</translation>
    </message>
    <message>
        <source>Load Slow Display</source>
        <translation>Load Slow Display</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
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
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Copy FD To Clipboard</source>
        <translation>Copy FD To Clipboard</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Check for new Version</source>
        <translation>Check for new Version</translation>
    </message>
    <message>
        <source>Anzahl Samples</source>
        <translation>Number of samples</translation>
    </message>
    <message>
        <source>Normal: max 5.000 Samples/s, max 100.000 Samples</source>
        <translation>Normal: max 5,000 samples/s, max 100,000 samples</translation>
    </message>
    <message>
        <source>Normal: max 4.000 Samples/s, max 50.000 Samples</source>
        <translation>Normal: max 4,000 samples/s, max 50,000 samples</translation>
    </message>
    <message>
        <source>Update alle 50 ms oder länger</source>
        <translation>Update every 50 ms or longer</translation>
    </message>
    <message>
        <source>Update alle 500 ms oder länger</source>
        <translation>Update every 500 ms or longer</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Record every sample to a CSV file: with the next Start, or at once during a run</source>
        <translation>Record every sample to a CSV file: with the next Start, or at once during a run</translation>
    </message>
    <message>
        <source>3 to 8 channels</source>
        <translation>3 to 8 channels</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>CH 3-8</source>
        <translation>CH 3-8</translation>
    </message>
    <message>
        <source>Channels 3 to 8: tick a channel to show it, double-click a field to change it</source>
        <translation>Channels 3 to 8: tick a channel to show it, double-click a field to change it</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Record...</translation>
    </message>
    <message>
        <source>Normal: max %1 Samples per channel</source>
        <translation>Normal: max %1 Samples per channel</translation>
    </message>
    <message>
        <source>Wählen Sie einen Ordner, in den Sie schreiben dürfen, und einen Datenträger mit freiem Platz.</source>
        <translation>Choose a folder you may write to, on a disk with free space.</translation>
    </message>
    <message>
        <source>Cursor Time</source>
        <translation>Cursor Time</translation>
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
        <translation>The channel that meter 1 and its value under the trend show</translation>
    </message>
    <message>
        <source>The channel that meter 2 and its value under the trend show</source>
        <translation>The channel that meter 2 and its value under the trend show</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
</context>
<context>
    <name>TFormHilfe</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>     Hilfe</source>
        <translation>     Help</translation>
    </message>
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
        <translation>Overview
---------------
Vantor shows data graphically that arrive over the PC&apos;s serial (COM)
port, a virtual USB serial port included.
The program is meant as an aid in developing microcontroller
applications.
Data from other sources can be shown as well, as long as they keep
the format rules described below.


Data format / format rules
---------------------------------------------
One channel:
The value is sent as text, followed by
CR + LF (ASCII 13 and ASCII 10) as the end mark.
Example:  12.5 + CR + LF

Two channels:
The two values are sent as text, separated by a semicolon,
followed by CR + LF.
Example:  12.5;3.75 + CR + LF

Three to eight channels:
The values are separated by the chosen delimiter, as with two channels.
Missing values count as 0, extra ones are ignored. To try it, the port &quot;DEMO 8&quot; sends eight channels.
Example:  1.5;2;-0.25;7 + CR + LF

The decimal separator in the data is always the point.

The fast display can be cleared from the microcontroller:
Syntax:       clr + CR + LF    or  CLR + CR + LF     (sent as an ASCII string)


X axis
------------
On the slow display the X axis is time-based.
On the fast display the X axis is not time-based: it counts the
values or value pairs received.


Limitations
--------------------
The data rates allowed for the current settings are shown at the
top right.
A large port buffer and a dynamic display keep the graph working
at high data rates as well.
The update interval (&quot;Update ms&quot;) sets how quickly the graph takes
new values from the buffer.
At very high data rates, especially with two channels, it should be
at least 500 ms or 1000 ms.


Operation
----------------
Operation is largely self-explanatory. A few hints:
On Linux the user needs read and write access to the serial
port, usually through the group &quot;dialout&quot;:
    sudo usermod -aG dialout $USER
then log out and log in again. Without a device, Vantor can be
tried with the ports &quot;DEMO&quot; and &quot;DEMO 8&quot;.

The meaning of Xmax
Xmax scales the graph to the visible area. Acquisition does not end
at Xmax: further data are drawn outside the visible area and can be
brought into view with pan and zoom.
Trend mode is different: there Xmax is the window actually shown,
and the oldest data are removed.
In normal mode up to 100,000 points are acquired with one channel,
up to 50,000 with two. Trend mode runs without a limit.

Graph pan and zoom
With the left mouse button held down the graph can be moved
or zoomed.

Reset
The Reset button sets the axis scaling back to the values entered
and at the same time takes changed values into the graph.

Recording
&quot;Record&quot; writes every value received, with its time, to a CSV file
for as long as the acquisition runs, for hours if need be.

After an acquisition
After an acquisition, too, the graph can be rescaled for all Y and
X settings: change the fields and press Reset.</translation>
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

Vantor developers

Live charts of serial data
for microcontroller developers

https://vantor.example
info@vantor.example

Free software under the GNU GPL,
version 3 or later. No warranty.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
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
        <translation>Analyze Channel 1</translation>
    </message>
    <message>
        <source>Copy To Clipboard</source>
        <translation>Copy To Clipboard</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>  Statistics</source>
        <translation>  Statistics</translation>
    </message>
    <message>
        <source>Min        =  </source>
        <translation>Min        =  </translation>
    </message>
    <message>
        <source>Max        =  </source>
        <translation>Max        =  </translation>
    </message>
    <message>
        <source>Mean       =  </source>
        <translation>Mean       =  </translation>
    </message>
    <message>
        <source>Std Dev    =  </source>
        <translation>Std Dev    =  </translation>
    </message>
    <message>
        <source>Quartile 1 =  </source>
        <translation>Quartile 1 =  </translation>
    </message>
    <message>
        <source>Quartile 2 =  </source>
        <translation>Quartile 2 =  </translation>
    </message>
    <message>
        <source>Quartile 3 =  </source>
        <translation>Quartile 3 =  </translation>
    </message>
    <message>
        <source>Skewness   =  </source>
        <translation>Skewness   =  </translation>
    </message>
    <message>
        <source>Kurtoisis  =  </source>
        <translation>Kurtoisis  =  </translation>
    </message>
</context>
<context>
    <name>VersionCheck</name>
    <message>
        <source> Version Info </source>
        <translation> Version Info </translation>
    </message>
    <message>
        <source>Server not found </source>
        <translation>Server not found </translation>
    </message>
</context>
</TS>
