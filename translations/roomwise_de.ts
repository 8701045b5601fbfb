<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Find what fills a disk. Each PATH is a folder to look at this run: it is listed as a drive of its own and ticked in every tool window.</source>
        <translation>Findet, was einen Datenträger füllt. Jeder PFAD ist ein Ordner, der in diesem Lauf untersucht wird: Er erscheint als eigenes Laufwerk und ist in jedem Werkzeugfenster angehakt.</translation>
    </message>
    <message>
        <source>A folder to look at.</source>
        <translation>Ein zu untersuchender Ordner.</translation>
    </message>
    <message>
        <source>Open the folder map of FOLDER at start.</source>
        <translation>Beim Start die Ordnerkarte von ORDNER öffnen.</translation>
    </message>
    <message>
        <source>Open &quot;What grew&quot; on the kept scans of FOLDER at start.</source>
        <translation>Beim Start „Was gewachsen ist“ mit den aufbewahrten Scans von ORDNER öffnen.</translation>
    </message>
</context>
<context>
    <name>ContentDupFinder</name>
    <message>
        <source>Comparing contents: %1 of %2 files, %3 of %4 bytes</source>
        <translation>Inhalte werden verglichen: %1 von %2 Dateien, %3 von %4 Byte</translation>
    </message>
</context>
<context>
    <name>DeleteRunTexts</name>
    <message>
        <source>%1 has been replaced or moved since the scan; it was left alone.</source>
        <translation>%1 wurde seit der Suche ersetzt oder verschoben; die Datei bleibt unverändert.</translation>
    </message>
    <message>
        <source>Couldn&apos;t delete file - %1</source>
        <translation>Datei konnte nicht gelöscht werden – %1</translation>
    </message>
    <message>
        <source>An error occurred sending files to the recycle bin.  The bin may be full.</source>
        <translation>Beim Verschieben in den Papierkorb ist ein Fehler aufgetreten.  Der Papierkorb ist möglicherweise voll.</translation>
    </message>
</context>
<context>
    <name>DirHogScan</name>
    <message>
        <source>This folder could not be read (%1): its size and counts hold nothing of it.</source>
        <translation>Dieser Ordner konnte nicht gelesen werden (%1): Größe und Anzahlen enthalten nichts davon.</translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) in it could not be read: its size and counts hold only what could be read.</source>
        <translation>
            <numerusform>%n Ordner darin konnte nicht gelesen werden: Größe und Anzahlen enthalten nur, was gelesen werden konnte.</numerusform>
            <numerusform>%n Ordner darin konnten nicht gelesen werden: Größe und Anzahlen enthalten nur, was gelesen werden konnte.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DupScan</name>
    <message>
        <source>Filename only</source>
        <translation>Nur Dateiname</translation>
    </message>
    <message>
        <source>Filename and size</source>
        <translation>Dateiname und Größe</translation>
    </message>
    <message>
        <source>Filename, size and modify date/time</source>
        <translation>Dateiname, Größe und Änderungsdatum/-zeit</translation>
    </message>
    <message>
        <source>Size only</source>
        <translation>Nur Größe</translation>
    </message>
    <message>
        <source>Size and modify date/time</source>
        <translation>Größe und Änderungsdatum/-zeit</translation>
    </message>
    <message>
        <source>Size and type</source>
        <translation>Größe und Typ</translation>
    </message>
    <message>
        <source>Type and modify date/time</source>
        <translation>Typ und Änderungsdatum/-zeit</translation>
    </message>
    <message>
        <source>Size and contents</source>
        <translation>Größe und Inhalt</translation>
    </message>
    <message>
        <source>Folders with the same contents</source>
        <translation>Ordner mit gleichem Inhalt</translation>
    </message>
</context>
<context>
    <name>EmptiedFoldersTexts</name>
    <message>
        <source>These folders are empty now:
%1
Remove them?</source>
        <translation>Diese Ordner sind jetzt leer:
%1
Sollen sie entfernt werden?</translation>
    </message>
    <message>
        <source>These folders could not be removed (not empty any more, or replaced since):
%1</source>
        <translation>Diese Ordner konnten nicht entfernt werden (nicht mehr leer oder inzwischen ersetzt):
%1</translation>
    </message>
</context>
<context>
    <name>ExceptionApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.</translation>
    </message>
</context>
<context>
    <name>ExtractStringsTexts</name>
    <message>
        <source>Could not open file %1</source>
        <translation>Die Datei %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Could not write file %1</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>FileDetailsTexts</name>
    <message>
        <source>Cluster size: %1  Clusters used : %2</source>
        <translation>Clustergröße: %1  Belegte Cluster : %2</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>Name of file : 	%1</source>
        <translation>Dateiname : 	%1</translation>
    </message>
    <message>
        <source>Type of file : 	%1</source>
        <translation>Dateityp : 	%1</translation>
    </message>
    <message>
        <source>Size of file : 	%1</source>
        <translation>Dateigröße : 	%1</translation>
    </message>
    <message>
        <source>Creation date     : 	%1</source>
        <translation>Erstellungsdatum  : 	%1</translation>
    </message>
    <message>
        <source>Modification date : 	%1</source>
        <translation>Änderungsdatum    : 	%1</translation>
    </message>
    <message>
        <source>Access date       : 	%1</source>
        <translation>Zugriffsdatum     : 	%1</translation>
    </message>
    <message>
        <source>Attributes : 	%1</source>
        <translation>Attribute : 	%1</translation>
    </message>
</context>
<context>
    <name>FileTypesTexts</name>
    <message>
        <source>No extension</source>
        <translation>Ohne Endung</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>%1-Datei</translation>
    </message>
</context>
<context>
    <name>FolderDeleteTexts</name>
    <message>
        <source> (Note: Deletion operation canceled ... not all files deleted)</source>
        <translation> (Hinweis: Löschvorgang abgebrochen ... nicht alle Dateien gelöscht)</translation>
    </message>
    <message>
        <source>Recycled %1 files for a savings of %2 bytes.</source>
        <translation>%1 Dateien in den Papierkorb verschoben, %2 Byte eingespart.</translation>
    </message>
    <message>
        <source>Deleted %1 files for a savings of %2 bytes.</source>
        <translation>%1 Dateien gelöscht, %2 Byte eingespart.</translation>
    </message>
    <message>
        <source>Not everything could be deleted:</source>
        <translation>Nicht alles konnte gelöscht werden:</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... und %1 weitere</translation>
    </message>
    <message>
        <source>Couldn&apos;t delete folder - %1 (protected folder)</source>
        <translation>Ordner konnte nicht gelöscht werden – %1 (geschützter Ordner)</translation>
    </message>
    <message>
        <source>Couldn&apos;t open folder - %1</source>
        <translation>Ordner konnte nicht geöffnet werden – %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t delete folder - %1 (not a folder)</source>
        <translation>Ordner konnte nicht gelöscht werden – %1 (kein Ordner)</translation>
    </message>
    <message>
        <source>Won&apos;t delete folder - %1 (another file system is mounted there)</source>
        <translation>Ordner wird nicht gelöscht – %1 (dort ist ein anderes Dateisystem eingehängt)</translation>
    </message>
    <message>
        <source>Couldn&apos;t delete file - %1</source>
        <translation>Datei konnte nicht gelöscht werden – %1</translation>
    </message>
    <message>
        <source>Won&apos;t delete folder - %1 (protected folder)</source>
        <translation>Ordner wird nicht gelöscht – %1 (geschützter Ordner)</translation>
    </message>
    <message>
        <source>%1 is read-only, delete this file and continue deleting other files? </source>
        <translation>%1 ist schreibgeschützt. Diese Datei löschen und mit den anderen Dateien fortfahren? </translation>
    </message>
    <message>
        <source>%1 is hidden, delete this file and continue deleting other files? </source>
        <translation>%1 ist versteckt. Diese Datei löschen und mit den anderen Dateien fortfahren? </translation>
    </message>
    <message>
        <source>%1 is a system file, delete this file and continue deleting other files? </source>
        <translation>%1 ist eine Systemdatei. Diese Datei löschen und mit den anderen Dateien fortfahren? </translation>
    </message>
    <message>
        <source>Couldn&apos;t recycle file - %1</source>
        <translation>Datei konnte nicht in den Papierkorb verschoben werden – %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t delete folder - %1</source>
        <translation>Ordner konnte nicht gelöscht werden – %1</translation>
    </message>
    <message>
        <source>Folder moved while it was being deleted - %1</source>
        <translation>Ordner wurde während des Löschens verschoben – %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t delete folder -  (protected folder)</source>
        <translation>Ordner konnte nicht gelöscht werden –  (geschützter Ordner)</translation>
    </message>
</context>
<context>
    <name>FolderListing</name>
    <message>
        <source>Cannot read the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The folder %1 could only be read in part: %2</source>
        <translation>Der Ordner %1 konnte nur teilweise gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>FolderWalkerTexts</name>
    <message>
        <source>moved while it was scanned</source>
        <translation>während der Suche verschoben</translation>
    </message>
    <message>
        <source>1 folder could not be read; what it holds is not in the results:</source>
        <translation>1 Ordner konnte nicht gelesen werden; sein Inhalt fehlt in den Ergebnissen:</translation>
    </message>
    <message>
        <source>%1 folders could not be read; what they hold is not in the results:</source>
        <translation>%1 Ordner konnten nicht gelesen werden; ihr Inhalt fehlt in den Ergebnissen:</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... und %1 weitere</translation>
    </message>
    <message>
        <source>Can&apos;t open drive %1</source>
        <translation>Laufwerk %1 kann nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>FolderWritableTexts</name>
    <message>
        <source>The settings file %1 is a symbolic link; it is never written through.</source>
        <translation>Die Einstellungsdatei %1 ist ein symbolischer Link; durch ihn wird nie geschrieben.</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file.</source>
        <translation>Die Einstellungsdatei %1 ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be written: %2.</source>
        <translation>Die Einstellungsdatei %1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be reached: %2.</source>
        <translation>Die Einstellungsdatei %1 ist nicht erreichbar: %2.</translation>
    </message>
    <message>
        <source>The settings folder %1 cannot be reached: %2.</source>
        <translation>Der Einstellungsordner %1 ist nicht erreichbar: %2.</translation>
    </message>
    <message>
        <source>The settings folder for %1 cannot be made: %2 is a file, not a folder.</source>
        <translation>Der Einstellungsordner für %1 kann nicht angelegt werden: %2 ist eine Datei, kein Ordner.</translation>
    </message>
    <message>
        <source>The settings folder %1 cannot be written: %2.</source>
        <translation>In den Einstellungsordner %1 kann nicht geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>GotoWebPage</name>
    <message>
        <source>Couldn&apos;t write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t open web browser for home page %1</source>
        <translation>Der Webbrowser für die Homepage %1 konnte nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>KeepOneCopy</name>
    <message>
        <source>These files were left alone: no other copy with the same contents stays, so deleting them would lose the contents:</source>
        <translation>Diese Dateien bleiben unverändert: Es bleibt keine andere Kopie mit demselben Inhalt übrig, durch das Löschen ginge der Inhalt verloren:</translation>
    </message>
</context>
<context>
    <name>KeepOneFolderCopy</name>
    <message>
        <source>These folders were left alone: no other folder with the same contents stays, so deleting them would lose the contents:</source>
        <translation>Diese Ordner bleiben unverändert: Kein anderer Ordner mit gleichem Inhalt bleibt erhalten, beim Löschen ginge der Inhalt also verloren:</translation>
    </message>
</context>
<context>
    <name>LinkReplaceTexts</name>
    <message>
        <source>reflink</source>
        <translation>Reflink</translation>
    </message>
    <message>
        <source>hard link</source>
        <translation>Hardlink</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 auf %2</translation>
    </message>
    <message>
        <source>no copy that stays holds the same bytes</source>
        <translation>keine verbleibende Kopie enthält dieselben Bytes</translation>
    </message>
    <message>
        <source>already a link of the copy that stays</source>
        <translation>bereits ein Link auf die verbleibende Kopie</translation>
    </message>
    <message>
        <source>on another file system than every copy that stays</source>
        <translation>auf einem anderen Dateisystem als alle verbleibenden Kopien</translation>
    </message>
    <message>
        <source>changed since the scan</source>
        <translation>seit der Suche geändert</translation>
    </message>
    <message>
        <source>replaced or moved since the scan</source>
        <translation>seit der Suche ersetzt oder verschoben</translation>
    </message>
    <message>
        <source>the system refused: %1</source>
        <translation>vom System abgelehnt: %1</translation>
    </message>
    <message>
        <source>not reached: the run was stopped</source>
        <translation>nicht erreicht: der Vorgang wurde angehalten</translation>
    </message>
    <message>
        <source>Files replaced by links: %1 (reflinks: %2, hard links: %3). Bytes freed: %4 bytes.</source>
        <translation>Durch Links ersetzte Dateien: %1 (Reflinks: %2, Hardlinks: %3). Freigegeben: %4 Byte.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>These reflinks could not keep the replaced file&apos;s owner, permissions, times or extended attributes:</source>
        <translation>Diese Reflinks konnten Besitzer, Rechte, Zeitstempel oder erweiterte Attribute der ersetzten Datei nicht übernehmen:</translation>
    </message>
    <message>
        <source>These files were left as they are:</source>
        <translation>Diese Dateien bleiben unverändert:</translation>
    </message>
</context>
<context>
    <name>LongRead</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please wait</source>
        <translation>Bitte warten</translation>
    </message>
</context>
<context>
    <name>MappedFileTexts</name>
    <message>
        <source>Not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
</context>
<context>
    <name>NcduJson</name>
    <message>
        <source>nothing was scanned</source>
        <translation>es wurde nichts durchsucht</translation>
    </message>
    <message>
        <source>not an ncdu export (%1 at byte %2)</source>
        <translation>kein ncdu-Export (%1 bei Byte %2)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>PairMatch</name>
    <message>
        <source> file contents are identical</source>
        <translation> Dateiinhalte sind identisch</translation>
    </message>
    <message>
        <source> file contents differ</source>
        <translation> Dateiinhalte unterscheiden sich</translation>
    </message>
</context>
<context>
    <name>PeVersionInfo</name>
    <message>
        <source>Company: </source>
        <translation>Firma: </translation>
    </message>
    <message>
        <source>File description: </source>
        <translation>Dateibeschreibung: </translation>
    </message>
    <message>
        <source>File version: </source>
        <translation>Dateiversion: </translation>
    </message>
    <message>
        <source>Internal name: </source>
        <translation>Interner Name: </translation>
    </message>
    <message>
        <source>Copyright: </source>
        <translation>Copyright: </translation>
    </message>
    <message>
        <source>Trademarks: </source>
        <translation>Marken: </translation>
    </message>
    <message>
        <source>Original filename: </source>
        <translation>Ursprünglicher Dateiname: </translation>
    </message>
    <message>
        <source>Private build info: </source>
        <translation>Private Build-Info: </translation>
    </message>
    <message>
        <source>Product name: </source>
        <translation>Produktname: </translation>
    </message>
    <message>
        <source>Product version: </source>
        <translation>Produktversion: </translation>
    </message>
    <message>
        <source>Special build info: </source>
        <translation>Spezielle Build-Info: </translation>
    </message>
</context>
<context>
    <name>ProfileFileTexts</name>
    <message>
        <source>it is a folder, not a file</source>
        <translation>es ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>sie ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read: %2; the defaults are used.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden: %2; es gelten die Standardwerte.</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The settings file %1 is a symbolic link; it was left as it is.</source>
        <translation>Die Einstellungsdatei %1 ist ein symbolischer Link; sie bleibt unverändert.</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file; it was left as it is.</source>
        <translation>Die Einstellungsdatei %1 ist keine reguläre Datei; sie bleibt unverändert.</translation>
    </message>
    <message>
        <source>there is no absolute home folder (HOME or XDG_CONFIG_HOME) to keep them in.</source>
        <translation>es gibt keinen absoluten Basisordner (HOME oder XDG_CONFIG_HOME), in dem sie gespeichert werden können.</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made.</source>
        <translation>der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>the lock file %1 cannot be made or locked: %2.</source>
        <translation>die Sperrdatei %1 kann nicht angelegt oder gesperrt werden: %2.</translation>
    </message>
    <message>
        <source>Invalid profile entry &quot;%1&quot;</source>
        <translation>Ungültiger Eintrag „%1“ in der Einstellungsdatei</translation>
    </message>
    <message>
        <source>Invalid profile section &quot;%1&quot;</source>
        <translation>Ungültiger Abschnitt „%1“ in der Einstellungsdatei</translation>
    </message>
</context>
<context>
    <name>ProtectedPaths</name>
    <message>
        <source>Cannot delete the root folder! To delete a folder including all files and sub-folders double click on the desired folder shown in the left panel.</source>
        <translation>Der Stammordner kann nicht gelöscht werden! Um einen Ordner mit allen Dateien und Unterordnern zu löschen, doppelklicken Sie im linken Bereich auf den gewünschten Ordner.</translation>
    </message>
    <message>
        <source>You cannot delete the root folder using Roomwise 95</source>
        <translation>Mit Roomwise 95 kann der Stammordner nicht gelöscht werden</translation>
    </message>
    <message>
        <source>You cannot delete the Windows folder using Roomwise 95</source>
        <translation>Mit Roomwise 95 kann der Windows-Ordner nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Folder already deleted/recycled</source>
        <translation>Ordner bereits gelöscht bzw. im Papierkorb</translation>
    </message>
    <message>
        <source>DELETED</source>
        <translation>GELÖSCHT</translation>
    </message>
    <message>
        <source>RECYCLED</source>
        <translation>IM PAPIERKORB</translation>
    </message>
</context>
<context>
    <name>RelativeDate</name>
    <message>
        <source>%1 months</source>
        <translation>%1 Monate</translation>
    </message>
    <message>
        <source>%1 month</source>
        <translation>%1 Monat</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Morgen</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
    <message>
        <source>This week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>Next week</source>
        <translation>Nächste Woche</translation>
    </message>
    <message>
        <source>%1 weeks</source>
        <translation>%1 Wochen</translation>
    </message>
    <message>
        <source>%1 years</source>
        <translation>%1 Jahre</translation>
    </message>
    <message>
        <source>%1 years %2 months</source>
        <translation>%1 Jahre %2 Monate</translation>
    </message>
    <message>
        <source>%1 years %2 month</source>
        <translation>%1 Jahre %2 Monat</translation>
    </message>
    <message>
        <source>Last week</source>
        <translation>Letzte Woche</translation>
    </message>
    <message>
        <source>%1 weeks ago</source>
        <translation>vor %1 Wochen</translation>
    </message>
    <message>
        <source>%1 years ago</source>
        <translation>vor %1 Jahren</translation>
    </message>
    <message>
        <source>%1 years %2 months ago</source>
        <translation>vor %1 Jahren und %2 Monaten</translation>
    </message>
    <message>
        <source>%1 years %2 month ago</source>
        <translation>vor %1 Jahren und %2 Monat</translation>
    </message>
    <message>
        <source>%1 months ago</source>
        <translation>vor %1 Monaten</translation>
    </message>
    <message>
        <source>%1 month ago</source>
        <translation>vor %1 Monat</translation>
    </message>
</context>
<context>
    <name>ResultLines</name>
    <message>
        <source>Grown</source>
        <translation>Gewachsen</translation>
    </message>
    <message>
        <source>Shrunk</source>
        <translation>Geschrumpft</translation>
    </message>
    <message>
        <source>Same</source>
        <translation>Gleich</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Gone</source>
        <translation>Entfernt</translation>
    </message>
    <message>
        <source>File folder</source>
        <translation>Dateiordner</translation>
    </message>
</context>
<context>
    <name>RunDrivesTexts</name>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation>%1 ist kein Ordner.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be read.</source>
        <translation>Der Ordner %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>No drive letter is free for %1.</source>
        <translation>Für %1 ist kein Laufwerksbuchstabe mehr frei.</translation>
    </message>
</context>
<context>
    <name>ScanKeeper</name>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
</context>
<context>
    <name>ScanLimits</name>
    <message>
        <source>Due to Windows resource limitations ... cannot process any more files.<byte value="xd"/><byte value="xd"/>Try increasing the file size limits or file match and re-scan.</source>
        <translation>Wegen begrenzter Windows-Ressourcen ... es können keine weiteren Dateien verarbeitet werden.<byte value="xd"/><byte value="xd"/>Erhöhen Sie die Größengrenzen oder schränken Sie das Suchmuster ein und suchen Sie erneut.</translation>
    </message>
    <message>
        <source>LIST INCOMPLETE ... ABORTED BY USER</source>
        <translation>LISTE UNVOLLSTÄNDIG ... VOM BENUTZER ABGEBROCHEN</translation>
    </message>
</context>
<context>
    <name>SettingsTexts</name>
    <message>
        <source>There is no absolute home folder (HOME or XDG_CONFIG_HOME) to keep the settings in.</source>
        <translation>Es gibt keinen absoluten Basisordner (HOME oder XDG_CONFIG_HOME), in dem die Einstellungen gespeichert werden können.</translation>
    </message>
    <message>
        <source>The list [%1] in the settings file is longer than %2 entries; the first %2 are used.</source>
        <translation>Die Liste [%1] in der Einstellungsdatei hat mehr als %2 Einträge; die ersten %2 werden verwendet.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be kept: its name cannot be written to the settings file as it is.</source>
        <translation>Der Ordner %1 kann nicht gemerkt werden: Sein Name lässt sich nicht unverändert in die Einstellungsdatei schreiben.</translation>
    </message>
    <message>
        <source>The settings file could not be written.</source>
        <translation>Die Einstellungsdatei konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>StatsOverhangTexts</name>
    <message>
        <source>Cluster overhang for FAT and FAT32 drives</source>
        <translation>Clusterverschnitt bei FAT- und FAT32-Laufwerken</translation>
    </message>
    <message>
        <source>FAT Partion size</source>
        <translation>FAT-Partitionsgröße</translation>
    </message>
    <message>
        <source>Cluster size</source>
        <translation>Clustergröße</translation>
    </message>
    <message>
        <source>Percent wasted</source>
        <translation>Verschnitt in Prozent</translation>
    </message>
    <message>
        <source>Wasted space</source>
        <translation>Verschwendeter Platz</translation>
    </message>
    <message>
        <source>FAT 32 Size</source>
        <translation>FAT32-Größe</translation>
    </message>
    <message>
        <source>Less than 8GB</source>
        <translation>Unter 8 GB</translation>
    </message>
    <message>
        <source>Less than 16GB</source>
        <translation>Unter 16 GB</translation>
    </message>
    <message>
        <source>Less than 32GB</source>
        <translation>Unter 32 GB</translation>
    </message>
    <message>
        <source>32GB or more</source>
        <translation>32 GB oder mehr</translation>
    </message>
    <message>
        <source>Total file sizes:</source>
        <translation>Summe der Dateigrößen:</translation>
    </message>
    <message>
        <source>Actual space used:</source>
        <translation>Tatsächlich belegter Platz:</translation>
    </message>
    <message>
        <source>A file always occupies whole clusters, so the last cluster of every file is partly empty. The arrow points to the drive&apos;s actual cluster size; the other figures show what the same files would waste at other cluster sizes. Repartitioning, disk compression or FAT32 (4K clusters up to 8GB, 8K up to 16GB) reduce the waste.</source>
        <translation>Eine Datei belegt immer ganze Cluster, daher ist der letzte Cluster jeder Datei teilweise leer. Der Pfeil zeigt auf die tatsächliche Clustergröße des Laufwerks; die übrigen Zahlen zeigen, wie viel dieselben Dateien bei anderen Clustergrößen verschwenden würden. Neupartitionieren, Datenträgerkomprimierung oder FAT32 (4-KB-Cluster bis 8 GB, 8 KB bis 16 GB) verringern den Verschnitt.</translation>
    </message>
    <message>
        <source>Number of files scanned: %1</source>
        <translation>Anzahl durchsuchter Dateien: %1</translation>
    </message>
    <message>
        <source>Actual space used %1</source>
        <translation>Tatsächlich belegter Platz %1</translation>
    </message>
</context>
<context>
    <name>StatsTexts</name>
    <message>
        <source>Over 16MB</source>
        <translation>Über 16 MB</translation>
    </message>
    <message>
        <source>Not recorded</source>
        <translation>Nicht erfasst</translation>
    </message>
    <message>
        <source>&lt;= 7 days</source>
        <translation>&lt;= 7 Tage</translation>
    </message>
    <message>
        <source>8 - 30 days</source>
        <translation>8 - 30 Tage</translation>
    </message>
    <message>
        <source>31 - 60 days</source>
        <translation>31 - 60 Tage</translation>
    </message>
    <message>
        <source>61 - 120 days</source>
        <translation>61 - 120 Tage</translation>
    </message>
    <message>
        <source>121 - 365 days</source>
        <translation>121 - 365 Tage</translation>
    </message>
    <message>
        <source>1 - 2 years</source>
        <translation>1 - 2 Jahre</translation>
    </message>
    <message>
        <source>2 - 3 years</source>
        <translation>2 - 3 Jahre</translation>
    </message>
    <message>
        <source>3 - 4 years</source>
        <translation>3 - 4 Jahre</translation>
    </message>
    <message>
        <source>Over 4 years</source>
        <translation>Über 4 Jahre</translation>
    </message>
    <message>
        <source>Since %1</source>
        <translation>Seit %1</translation>
    </message>
    <message>
        <source>n/a</source>
        <translation>k. A.</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
</context>
<context>
    <name>ToolButtonRow</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation>A&amp;bbrechen</translation>
    </message>
    <message>
        <source>Abort scan</source>
        <translation>Suche abbrechen</translation>
    </message>
    <message>
        <source>&amp;Mark</source>
        <translation>&amp;Markieren</translation>
    </message>
    <message>
        <source>Mark file for deletion (double click on grid also works)</source>
        <translation>Datei zum Löschen markieren (Doppelklick in die Liste geht auch)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete marked files</source>
        <translation>Markierte Dateien löschen</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Print list of files</source>
        <translation>Dateiliste drucken</translation>
    </message>
    <message>
        <source>C&amp;lipboard</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy list of files to clipboard</source>
        <translation>Dateiliste in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Ordner</translation>
    </message>
    <message>
        <source>Browse this file and folder</source>
        <translation>Diese Datei und ihren Ordner durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>De&amp;tails</translation>
    </message>
    <message>
        <source>View more file details</source>
        <translation>Weitere Dateidetails anzeigen</translation>
    </message>
</context>
<context>
    <name>TrashLocationTexts</name>
    <message>
        <source>No home folder is set (HOME), so there is no trash to move to.</source>
        <translation>Es ist kein Basisordner gesetzt (HOME), daher gibt es keinen Papierkorb.</translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be opened or made: %2.</source>
        <translation>Der Papierkorbordner %1 kann nicht geöffnet oder angelegt werden: %2.</translation>
    </message>
    <message>
        <source>There is no usable trash on the file system of %1: %2 cannot be made or is not a folder of yours.</source>
        <translation>Auf dem Dateisystem von %1 gibt es keinen nutzbaren Papierkorb: %2 kann nicht angelegt werden oder ist kein Ordner von Ihnen.</translation>
    </message>
    <message>
        <source>The top folder of the file system of %1 cannot be found.</source>
        <translation>Der oberste Ordner des Dateisystems von %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The trash %1 is on another file system than %2.</source>
        <translation>Der Papierkorb %1 liegt auf einem anderen Dateisystem als %2.</translation>
    </message>
</context>
<context>
    <name>TrashTexts</name>
    <message>
        <source>Nothing was moved to the trash: &quot;%1&quot; is not an entry of an open folder.</source>
        <translation>Nichts wurde in den Papierkorb verschoben: „%1“ ist kein Eintrag eines geöffneten Ordners.</translation>
    </message>
    <message>
        <source>%1 is gone; nothing was moved to the trash.</source>
        <translation>%1 ist nicht mehr vorhanden; nichts wurde in den Papierkorb verschoben.</translation>
    </message>
    <message>
        <source>%1 is no longer the file that was scanned; it was left where it is.</source>
        <translation>%1 ist nicht mehr die Datei, die bei der Suche gefunden wurde; sie bleibt, wo sie ist.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>%1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>%1 is the mount point of another file system; it was not moved to the trash.</source>
        <translation>%1 ist der Einhängepunkt eines anderen Dateisystems; es wurde nicht in den Papierkorb verschoben.</translation>
    </message>
    <message>
        <source>The trash information file cannot be made in %1: %2.</source>
        <translation>Die Papierkorb-Infodatei kann in %1 nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>The trash information file cannot be written in %1: %2.</source>
        <translation>Die Papierkorb-Infodatei kann in %1 nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>%1 is on another file system than its trash %2; it was not moved (a trash never copies).</source>
        <translation>%1 liegt auf einem anderen Dateisystem als sein Papierkorb %2; es wurde nicht verschoben (ein Papierkorb kopiert nie).</translation>
    </message>
    <message>
        <source>%1 cannot be moved to the trash: %2.</source>
        <translation>%1 kann nicht in den Papierkorb verschoben werden: %2.</translation>
    </message>
    <message>
        <source>%1 was swapped for another file while it was moved to the trash; that file was put back.</source>
        <translation>%1 wurde beim Verschieben in den Papierkorb gegen eine andere Datei ausgetauscht; diese Datei wurde zurückgelegt.</translation>
    </message>
    <message>
        <source>%1 was swapped for another file while it was moved to the trash; that file is in the trash as %2 and can be restored from there.</source>
        <translation>%1 wurde beim Verschieben in den Papierkorb gegen eine andere Datei ausgetauscht; diese Datei liegt als %2 im Papierkorb und kann von dort wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>No free name for %1 is left in the trash %2.</source>
        <translation>Im Papierkorb %2 ist kein freier Name für %1 mehr übrig.</translation>
    </message>
</context>
<context>
    <name>TypeListEditing</name>
    <message>
        <source>Really delete %1 extensions?</source>
        <translation>Wirklich %1 Endungen löschen?</translation>
    </message>
    <message>
        <source>Really clear out all extensions?</source>
        <translation>Wirklich alle Endungen entfernen?</translation>
    </message>
</context>
<context>
    <name>rw::AccessibleNames</name>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tabelle</translation>
    </message>
    <message>
        <source>Tree</source>
        <translation>Baum</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Combo box</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>Spin box</source>
        <translation>Drehfeld</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Eingabefeld</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Schaltfläche</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Steuerelement</translation>
    </message>
</context>
<context>
    <name>rw::CheckListBox</name>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>Auswahl aufheben</translation>
    </message>
</context>
<context>
    <name>rw::DriveListFolders</name>
    <message>
        <source>Add folder…</source>
        <translation>Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>Remove folder</source>
        <translation>Ordner entfernen</translation>
    </message>
    <message>
        <source>Keep this folder</source>
        <translation>Diesen Ordner merken</translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
</context>
<context>
    <name>rw::FileViewer</name>
    <message>
        <source>Counting lines...</source>
        <translation>Zeilen werden gezählt...</translation>
    </message>
    <message>
        <source>Region is too large (&gt; 64K)</source>
        <translation>Der Bereich ist zu groß (&gt; 64K)</translation>
    </message>
</context>
<context>
    <name>rw::GroupMarking</name>
    <message>
        <source>Mark all but one in each group</source>
        <translation>Alle bis auf eine je Gruppe markieren</translation>
    </message>
    <message>
        <source>keeping the newest</source>
        <translation>die neueste behalten</translation>
    </message>
    <message>
        <source>keeping the oldest</source>
        <translation>die älteste behalten</translation>
    </message>
    <message>
        <source>keeping the shortest path</source>
        <translation>die mit dem kürzesten Pfad behalten</translation>
    </message>
</context>
<context>
    <name>rw::HelpWindow</name>
    <message>
        <source>Roomwise Help</source>
        <translation>Roomwise-Hilfe</translation>
    </message>
    <message>
        <source>Cannot find the help file %1.</source>
        <translation>Die Hilfedatei %1 wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>rw::HistoryStore</name>
    <message>
        <source>the SQLite driver of Qt SQL is not installed</source>
        <translation>der SQLite-Treiber von Qt SQL ist nicht installiert</translation>
    </message>
    <message>
        <source>cannot make the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the PostgreSQL driver of Qt SQL is not installed</source>
        <translation>der PostgreSQL-Treiber von Qt SQL ist nicht installiert</translation>
    </message>
    <message>
        <source>not a PostgreSQL address: %1</source>
        <translation>keine PostgreSQL-Adresse: %1</translation>
    </message>
    <message>
        <source>the database holds tables of another program or layout</source>
        <translation>die Datenbank enthält Tabellen eines anderen Programms oder Aufbaus</translation>
    </message>
    <message>
        <source>the history store is not open</source>
        <translation>der Verlaufsspeicher ist nicht geöffnet</translation>
    </message>
    <message>
        <source>no scan %1</source>
        <translation>kein Scan %1</translation>
    </message>
    <message>
        <source>the totals of scan %1 cannot be read</source>
        <translation>die Summen von Scan %1 können nicht gelesen werden</translation>
    </message>
    <message>
        <source>scan %1 refers to a folder that is not stored</source>
        <translation>Scan %1 verweist auf einen nicht gespeicherten Ordner</translation>
    </message>
</context>
<context>
    <name>rw::MapTypeClass</name>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Videos</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Archives</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Source code</source>
        <translation>Quelltext</translation>
    </message>
    <message>
        <source>Programs and libraries</source>
        <translation>Programme und Bibliotheken</translation>
    </message>
    <message>
        <source>Disk images</source>
        <translation>Datenträgerabbilder</translation>
    </message>
    <message>
        <source>Packages</source>
        <translation>Pakete</translation>
    </message>
    <message>
        <source>Databases</source>
        <translation>Datenbanken</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Schriftarten</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstige</translation>
    </message>
</context>
<context>
    <name>rw::MapView</name>
    <message numerus="yes">
        <source>Small files: %n</source>
        <translation>
            <numerusform>Kleine Dateien: %n</numerusform>
            <numerusform>Kleine Dateien: %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>rw::PickList</name>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>Auswahl aufheben</translation>
    </message>
</context>
<context>
    <name>rw::ResultGridController</name>
    <message>
        <source>Shrink top panel</source>
        <translation>Oberen Bereich verkleinern</translation>
    </message>
    <message>
        <source>Restore top panel</source>
        <translation>Oberen Bereich wiederherstellen</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Markieren</translation>
    </message>
    <message>
        <source>Mark all</source>
        <translation>Alle markieren</translation>
    </message>
    <message>
        <source>Unmark all</source>
        <translation>Alle Markierungen aufheben</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ausführen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>%1 files %2 bytes</source>
        <translation>%1 Dateien %2 Byte</translation>
    </message>
    <message>
        <source>Printed : %1  %2</source>
        <translation>Gedruckt : %1  %2</translation>
    </message>
    <message>
        <source>Error printing report ... quitting</source>
        <translation>Fehler beim Drucken des Berichts ... Abbruch</translation>
    </message>
    <message>
        <source>Couldn&apos;t run %1</source>
        <translation>%1 konnte nicht ausgeführt werden</translation>
    </message>
</context>
<context>
    <name>rw::ResultGridView</name>
    <message>
        <source>Double click to mark for deletion, right click for options</source>
        <translation>Doppelklick markiert zum Löschen, Rechtsklick zeigt Optionen</translation>
    </message>
</context>
<context>
    <name>rw::SizeHistoryChart</name>
    <message>
        <source>Size over the kept scans</source>
        <translation>Größe über die aufbewahrten Scans</translation>
    </message>
    <message>
        <source>No kept scans</source>
        <translation>Keine aufbewahrten Scans</translation>
    </message>
</context>
<context>
    <name>rw::StatsDatePages</name>
    <message>
        <source>Accessed Date</source>
        <translation>Zugriffsdatum</translation>
    </message>
    <message>
        <source>Created Date</source>
        <translation>Erstellungsdatum</translation>
    </message>
    <message>
        <source>Modified Date</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>Access Date</source>
        <translation>Zugriffsdatum</translation>
    </message>
    <message>
        <source>Note: prior versions of Windows and DOS did not store the file access date.  Files never recorded as being accessed are probably old files that were converted to Windows 95.</source>
        <translation>Hinweis: Frühere Versionen von Windows und DOS haben das Zugriffsdatum nicht gespeichert.  Dateien ohne erfassten Zugriff sind vermutlich alte Dateien, die nach Windows 95 übernommen wurden.</translation>
    </message>
    <message>
        <source>Files never recorded as being created are probably old files that were converted to Windows 95.  Note: prior versions of Windows and DOS did not store the file creation date independent of the last file modification or file write date.</source>
        <translation>Dateien ohne erfasstes Erstellungsdatum sind vermutlich alte Dateien, die nach Windows 95 übernommen wurden.  Hinweis: Frühere Versionen von Windows und DOS haben das Erstellungsdatum nicht getrennt vom Datum der letzten Änderung gespeichert.</translation>
    </message>
    <message>
        <source>Note: prior versions of Windows and DOS treated the file creation date synonomously  with the last file modification date.  Therefore all files have a file modification date.</source>
        <translation>Hinweis: Frühere Versionen von Windows und DOS haben das Erstellungsdatum mit dem Datum der letzten Änderung gleichgesetzt.  Deshalb haben alle Dateien ein Änderungsdatum.</translation>
    </message>
    <message>
        <source>This chart combines the Accessed, Created and Modified charts</source>
        <translation>Dieses Diagramm fasst die Diagramme für Zugriff, Erstellung und Änderung zusammen</translation>
    </message>
    <message>
        <source>Note: Sometimes software vendors use the file modified time to indicate the version number of a product. For example, a file with the time of 02:10 am would represent version 2.1 of a certain product.</source>
        <translation>Hinweis: Manche Softwarehersteller geben über die Änderungszeit einer Datei die Versionsnummer eines Produkts an. So stünde eine Datei mit der Uhrzeit 02:10 für Version 2.1 eines Produkts.</translation>
    </message>
    <message>
        <source>Listing</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Chart by Size (in MB)</source>
        <translation>Diagramm nach Größe (in MB)</translation>
    </message>
    <message>
        <source>Chart by Number of Files</source>
        <translation>Diagramm nach Anzahl der Dateien</translation>
    </message>
    <message>
        <source>Total file size</source>
        <translation>Gesamtgröße der Dateien</translation>
    </message>
    <message>
        <source>Number of files</source>
        <translation>Anzahl der Dateien</translation>
    </message>
    <message>
        <source>Combined dates</source>
        <translation>Alle Datumsangaben</translation>
    </message>
    <message>
        <source>Access Size</source>
        <translation>Größe (Zugriff)</translation>
    </message>
    <message>
        <source>Access # files</source>
        <translation>Anzahl (Zugriff)</translation>
    </message>
    <message>
        <source>Create Size</source>
        <translation>Größe (Erstellung)</translation>
    </message>
    <message>
        <source>Create # files</source>
        <translation>Anzahl (Erstellung)</translation>
    </message>
    <message>
        <source>Modify Size</source>
        <translation>Größe (Änderung)</translation>
    </message>
    <message>
        <source>Modify # files</source>
        <translation>Anzahl (Änderung)</translation>
    </message>
    <message>
        <source># Files</source>
        <translation>Anzahl Dateien</translation>
    </message>
    <message>
        <source>File Sizes</source>
        <translation>Dateigrößen</translation>
    </message>
    <message>
        <source>% of total # files</source>
        <translation>% aller Dateien</translation>
    </message>
    <message>
        <source>% of total size</source>
        <translation>% der Gesamtgröße</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Versteckt</translation>
    </message>
    <message>
        <source>Read-only</source>
        <translation>Schreibgeschützt</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Archiv</translation>
    </message>
    <message>
        <source>Note it is possible that some files may have more than one attribute set.  For example many system files are also hidden.</source>
        <translation>Hinweis: Manche Dateien können mehrere Attribute gleichzeitig haben.  Viele Systemdateien sind zum Beispiel auch versteckt.</translation>
    </message>
    <message>
        <source>%1 (file sizes in MB)</source>
        <translation>%1 (Dateigrößen in MB)</translation>
    </message>
    <message>
        <source>%1 (Number of files)</source>
        <translation>%1 (Anzahl der Dateien)</translation>
    </message>
    <message>
        <source>Combination Access/Created/Modified Chart</source>
        <translation>Kombiniertes Diagramm Zugriff/Erstellung/Änderung</translation>
    </message>
    <message>
        <source>Accessed</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Modified time</source>
        <translation>Änderungszeit</translation>
    </message>
    <message>
        <source>Created time</source>
        <translation>Erstellungszeit</translation>
    </message>
    <message>
        <source>Time of day file was modified/created (access time is not recorded by Win95)</source>
        <translation>Tageszeit der Änderung/Erstellung (die Zugriffszeit erfasst Win95 nicht)</translation>
    </message>
    <message>
        <source>Numer of files</source>
        <translation>Anzahl der Dateien</translation>
    </message>
</context>
<context>
    <name>rw::StatsSpacePage</name>
    <message>
        <source>Pie - percent</source>
        <translation>Kreis - Prozent</translation>
    </message>
    <message>
        <source>Bar - totals</source>
        <translation>Balken - Summen</translation>
    </message>
    <message>
        <source>Total Capacity:</source>
        <translation>Gesamtkapazität:</translation>
    </message>
    <message>
        <source>Free Space:</source>
        <translation>Freier Speicher:</translation>
    </message>
    <message>
        <source>Used Space:</source>
        <translation>Belegter Speicher:</translation>
    </message>
    <message>
        <source>Click on pie to animate</source>
        <translation>Zum Animieren auf das Kreisdiagramm klicken</translation>
    </message>
    <message>
        <source>Used space</source>
        <translation>Belegter Speicher</translation>
    </message>
    <message>
        <source>Free space</source>
        <translation>Freier Speicher</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
</context>
<context>
    <name>rw::StatsTypesPage</name>
    <message>
        <source>Listing</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Pie by Size</source>
        <translation>Kreis nach Größe</translation>
    </message>
    <message>
        <source>Pie by # Files</source>
        <translation>Kreis nach Anzahl</translation>
    </message>
    <message>
        <source>Pie by Average Size</source>
        <translation>Kreis nach Durchschnittsgröße</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source># Files</source>
        <translation>Anzahl Dateien</translation>
    </message>
    <message>
        <source>Avg File Size</source>
        <translation>Mittlere Größe</translation>
    </message>
    <message>
        <source>Sort by &amp;Extension</source>
        <translation>Nach &amp;Endung sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Type</source>
        <translation>Nach &amp;Typ sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Size</source>
        <translation>Nach &amp;Größe sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Number of files</source>
        <translation>Nach &amp;Anzahl der Dateien sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Average File Size</source>
        <translation>Nach &amp;durchschnittlicher Dateigröße sortieren</translation>
    </message>
    <message>
        <source>Click on pie to animate</source>
        <translation>Zum Animieren auf das Kreisdiagramm klicken</translation>
    </message>
    <message>
        <source>No extension</source>
        <translation>Ohne Endung</translation>
    </message>
</context>
<context>
    <name>rw::TFindDlg</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>&amp;Search Text</source>
        <translation>&amp;Suchtext</translation>
    </message>
    <message>
        <source>Search &amp;Options</source>
        <translation>Such&amp;optionen</translation>
    </message>
    <message>
        <source>Search &amp;Forward</source>
        <translation>&amp;Vorwärts suchen</translation>
    </message>
    <message>
        <source>Search &amp;Backward</source>
        <translation>&amp;Rückwärts suchen</translation>
    </message>
    <message>
        <source>&amp;Match Case</source>
        <translation>Groß-/&amp;Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>&amp;Global Search</source>
        <translation>&amp;Ganze Datei durchsuchen</translation>
    </message>
</context>
<context>
    <name>rw::TfrmAbout</name>
    <message>
        <source>How to contact us</source>
        <translation>So erreichen Sie uns</translation>
    </message>
    <message>
        <source>Version 2.7 (32 bits)</source>
        <translation>Version 2.7 (32 Bit)</translation>
    </message>
    <message>
        <source>Telephone (555) 010-2040    Fax (555) 010-2041</source>
        <translation>Telefon (555) 010-2040    Fax (555) 010-2041</translation>
    </message>
    <message>
        <source>Call us about our other disk and file utilities!</source>
        <translation>Fragen Sie nach unseren anderen Dienstprogrammen!</translation>
    </message>
    <message>
        <source>%1 Home Page</source>
        <translation>%1 im Web</translation>
    </message>
    <message>
        <source>Launch your browser to %1</source>
        <translation>Öffnet Ihren Browser: %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>rw::TfrmBrowse</name>
    <message>
        <source>Wildcard : %1</source>
        <translation>Suchmuster : %1</translation>
    </message>
    <message>
        <source>Browse through folders</source>
        <translation>Ordner durchsuchen</translation>
    </message>
    <message>
        <source>Double click to select</source>
        <translation>Doppelklick zum Auswählen</translation>
    </message>
    <message>
        <source>Double click to mark, right click for options</source>
        <translation>Doppelklick zum Markieren, Rechtsklick zeigt Optionen</translation>
    </message>
    <message>
        <source>Delete &amp;Folder</source>
        <translation>&amp;Ordner löschen</translation>
    </message>
    <message>
        <source>Delete folder and all files/folders below</source>
        <translation>Ordner mit allen Dateien und Unterordnern löschen</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>&amp;Details</translation>
    </message>
    <message>
        <source>View more file details</source>
        <translation>Weitere Dateidetails anzeigen</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Ausführen</translation>
    </message>
    <message>
        <source>Run/launch associated application</source>
        <translation>Mit dem zugeordneten Programm öffnen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>A&amp;nzeigen</translation>
    </message>
    <message>
        <source>View file</source>
        <translation>Datei anzeigen</translation>
    </message>
    <message>
        <source>&amp;Mark</source>
        <translation>&amp;Markieren</translation>
    </message>
    <message>
        <source>Mark/unmark files for deletion</source>
        <translation>Dateien zum Löschen markieren bzw. Markierung aufheben</translation>
    </message>
    <message>
        <source>D&amp;elete marked files</source>
        <translation>Markierte &amp;löschen</translation>
    </message>
    <message>
        <source>Delete marked files</source>
        <translation>Markierte Dateien löschen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Click to change the wildcard pattern</source>
        <translation>Klicken, um das Suchmuster zu ändern</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Modified &amp;Date</source>
        <translation>Änderungs&amp;datum</translation>
    </message>
    <message>
        <source>&amp;Access Date</source>
        <translation>&amp;Zugriffsdatum</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>Marked for deletion: </source>
        <translation>Zum Löschen markiert: </translation>
    </message>
    <message>
        <source>Reading : %1</source>
        <translation>Wird gelesen : %1</translation>
    </message>
    <message>
        <source>Number of files : %1</source>
        <translation>Anzahl der Dateien : %1</translation>
    </message>
    <message>
        <source>Total size : %1</source>
        <translation>Gesamtgröße : %1</translation>
    </message>
    <message>
        <source>You have %1 files marked for deletion. Do you really wish to exit without deleting?</source>
        <translation>Sie haben %1 Dateien zum Löschen markiert. Wirklich beenden, ohne zu löschen?</translation>
    </message>
    <message>
        <source>Show folder &amp;map</source>
        <translation>Ordner&amp;karte zeigen</translation>
    </message>
</context>
<context>
    <name>rw::TfrmClean</name>
    <message>
        <source>Temporary file types to search and clean.</source>
        <translation>Zu bereinigende temporäre Dateitypen.</translation>
    </message>
    <message>
        <source>File extensions/types of temporary files</source>
        <translation>Endungen/Typen temporärer Dateien</translation>
    </message>
    <message>
        <source>Add/Delete</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Add, delete temporary file extensions</source>
        <translation>Endungen temporärer Dateien hinzufügen oder löschen</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>FileName</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Datum</translation>
    </message>
    <message>
        <source>&amp;Access date</source>
        <translation>&amp;Zugriffsdatum</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>Double click to mark for deletion</source>
        <translation>Doppelklick markiert zum Löschen</translation>
    </message>
    <message>
        <source>Unmark All</source>
        <translation>Alle Markierungen aufheben</translation>
    </message>
    <message>
        <source>Find and delete temporary files</source>
        <translation>Temporäre Dateien suchen und löschen</translation>
    </message>
    <message>
        <source>Start scanning for temporary files</source>
        <translation>Suche nach temporären Dateien starten</translation>
    </message>
    <message>
        <source>Select at least one file extension</source>
        <translation>Wählen Sie mindestens eine Dateiendung aus</translation>
    </message>
    <message>
        <source>%1 tempfiles found</source>
        <translation>%1 temporäre Dateien gefunden</translation>
    </message>
    <message>
        <source>Temporary files on drive(s) %1</source>
        <translation>Temporäre Dateien auf Laufwerk(en) %1</translation>
    </message>
</context>
<context>
    <name>rw::TfrmDelDirectory</name>
    <message>
        <source>Delete directory, sub-directories and all files</source>
        <translation>Ordner, Unterordner und alle Dateien löschen</translation>
    </message>
    <message>
        <source>Folder to delete:</source>
        <translation>Zu löschender Ordner:</translation>
    </message>
    <message>
        <source>&amp;Delete folder</source>
        <translation>Ordner &amp;löschen</translation>
    </message>
    <message>
        <source>Delete the files shown above.  Cannot be undeleted.</source>
        <translation>Die oben gezeigten Dateien löschen.  Kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>All files and sub-folders are deleted.  Files cannot be recovered.  Hard disk space immediately freed up.</source>
        <translation>Alle Dateien und Unterordner werden gelöscht.  Die Dateien können nicht wiederhergestellt werden.  Der Speicherplatz wird sofort frei.</translation>
    </message>
    <message>
        <source>&amp;Send files to recycle bin</source>
        <translation>In den &amp;Papierkorb</translation>
    </message>
    <message>
        <source>Send to recycle bin.  Recycle bin can be emptied later.  Files can be recovered.</source>
        <translation>In den Papierkorb verschieben.  Der Papierkorb kann später geleert werden.  Die Dateien können wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>All files sent to the Windows 95 recycle bin which can be emptied later. Files may be recovered.  Hard disk space is not freed up until recycle bin is emptied..</source>
        <translation>Alle Dateien kommen in den Windows-95-Papierkorb und können wiederhergestellt werden.  Der Platz wird erst beim Leeren frei.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel. Do not delete.</source>
        <translation>Abbrechen. Nichts löschen.</translation>
    </message>
    <message>
        <source>Cancel delete operation.</source>
        <translation>Löschvorgang abbrechen.</translation>
    </message>
    <message>
        <source>Note that the recycle bin may be full or that you may have the &quot;Immediately Remove Files On Delete&quot; option turned on in the recycle bin. If either is true, then you will not be able to recover the deleted files from the recycle bin. 

Send to the recycle bin anyway?</source>
        <translation>Beachten Sie, dass der Papierkorb voll sein kann oder dass im Papierkorb die Option „Dateien sofort löschen“ eingeschaltet sein kann. In beiden Fällen lassen sich die gelöschten Dateien nicht aus dem Papierkorb wiederherstellen. 

Trotzdem in den Papierkorb verschieben?</translation>
    </message>
</context>
<context>
    <name>rw::TfrmDetails</name>
    <message>
        <source>Error printing report ... quitting</source>
        <translation>Fehler beim Drucken des Berichts ... Abbruch</translation>
    </message>
    <message>
        <source>Printed : %1  %2</source>
        <translation>Gedruckt : %1  %2</translation>
    </message>
    <message>
        <source>File Details</source>
        <translation>Dateidetails</translation>
    </message>
    <message>
        <source>Name of file:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Type of file:</source>
        <translation>Dateityp:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Creation date:</source>
        <translation>Erstellungsdatum:</translation>
    </message>
    <message>
        <source>Modification date:</source>
        <translation>Änderungsdatum:</translation>
    </message>
    <message>
        <source>Access date:</source>
        <translation>Zugriffsdatum:</translation>
    </message>
    <message>
        <source>Attributes:</source>
        <translation>Attribute:</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Ausführen</translation>
    </message>
    <message>
        <source>Run/launch associated application</source>
        <translation>Mit dem zugeordneten Programm öffnen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>A&amp;nzeigen</translation>
    </message>
    <message>
        <source>View file</source>
        <translation>Datei anzeigen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print file details</source>
        <translation>Dateidetails drucken</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Couldn&apos;t run %1</source>
        <translation>%1 konnte nicht ausgeführt werden</translation>
    </message>
    <message>
        <source>File details of %1</source>
        <translation>Dateidetails von %1</translation>
    </message>
</context>
<context>
    <name>rw::TfrmDirHog</name>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>% Used</source>
        <translation>% belegt</translation>
    </message>
    <message>
        <source># Files</source>
        <translation>Anzahl Dateien</translation>
    </message>
    <message>
        <source># Sub-folders</source>
        <translation>Anzahl Unterordner</translation>
    </message>
    <message>
        <source>Latest File Access</source>
        <translation>Letzter Dateizugriff</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Sort by &amp;Size</source>
        <translation>Nach &amp;Größe sortieren</translation>
    </message>
    <message>
        <source>Sort by # &amp;Files</source>
        <translation>Nach Anzahl &amp;Dateien sortieren</translation>
    </message>
    <message>
        <source>Sort by # Sub-f&amp;olders</source>
        <translation>Nach Anzahl &amp;Unterordner sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Access Date</source>
        <translation>Nach &amp;Zugriffsdatum sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Name</source>
        <translation>Nach &amp;Name sortieren</translation>
    </message>
    <message>
        <source>Folder Hogs</source>
        <translation>Große Ordner</translation>
    </message>
    <message>
        <source>&amp;Main folders</source>
        <translation>&amp;Hauptordner</translation>
    </message>
    <message>
        <source>Only topmost folders. Does not display sub-folders.</source>
        <translation>Nur die obersten Ordner. Unterordner werden nicht angezeigt.</translation>
    </message>
    <message>
        <source>&amp;All Folders</source>
        <translation>&amp;Alle Ordner</translation>
    </message>
    <message>
        <source>ALL folders including sub-folders are displayed</source>
        <translation>ALLE Ordner einschließlich der Unterordner werden angezeigt</translation>
    </message>
    <message>
        <source>Main -</source>
        <translation>Oben -</translation>
    </message>
    <message>
        <source>only main folders are displayed (those folders directly under the main folder)</source>
        <translation>nur die Ordner direkt unter dem Stammordner werden angezeigt</translation>
    </message>
    <message>
        <source>All -</source>
        <translation>Alle -</translation>
    </message>
    <message>
        <source>all folders including sub-folders are individually displayed</source>
        <translation>alle Ordner einschließlich der Unterordner werden einzeln angezeigt</translation>
    </message>
    <message>
        <source>Print list of directories</source>
        <translation>Ordnerliste drucken</translation>
    </message>
    <message>
        <source>Copy list of directories to clipboard</source>
        <translation>Ordnerliste in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Browse the files and folder</source>
        <translation>Dateien und Ordner durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete the folder</source>
        <translation>Den Ordner löschen</translation>
    </message>
    <message>
        <source>Folders : %1</source>
        <translation>Ordner : %1</translation>
    </message>
    <message>
        <source>Folder hogs on drive(s) %1</source>
        <translation>Große Ordner auf Laufwerk(en) %1</translation>
    </message>
    <message>
        <source>Show folder &amp;map</source>
        <translation>Ordner&amp;karte zeigen</translation>
    </message>
    <message>
        <source>Compare with an earlier scan…</source>
        <translation>Mit einem früheren Scan vergleichen…</translation>
    </message>
    <message>
        <source>The scan could not be kept in the history: %1</source>
        <translation>Der Scan konnte nicht im Verlauf aufbewahrt werden: %1</translation>
    </message>
</context>
<context>
    <name>rw::TfrmDup</name>
    <message>
        <source>Larger or equal to</source>
        <translation>Größer oder gleich</translation>
    </message>
    <message>
        <source>Smaller or equal to</source>
        <translation>Kleiner oder gleich</translation>
    </message>
    <message>
        <source>In between</source>
        <translation>Zwischen</translation>
    </message>
    <message>
        <source>and</source>
        <translation>und</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>Matching</source>
        <translation>Muster</translation>
    </message>
    <message>
        <source>Wildcard pattern for matching file types</source>
        <translation>Suchmuster für die Dateitypen</translation>
    </message>
    <message>
        <source>Duplicates matching on : </source>
        <translation>Duplikate nach : </translation>
    </message>
    <message>
        <source>P&amp;airs</source>
        <translation>P&amp;aare</translation>
    </message>
    <message>
        <source>Compare file pairs</source>
        <translation>Dateipaare vergleichen</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>FileName</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Datum</translation>
    </message>
    <message>
        <source>&amp;Access Date</source>
        <translation>&amp;Zugriffsdatum</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>Find and delete duplicate files</source>
        <translation>Doppelte Dateien suchen und löschen</translation>
    </message>
    <message>
        <source>Find and delete file hogs</source>
        <translation>Große Dateien suchen und löschen</translation>
    </message>
    <message>
        <source>Duplicates on file name only</source>
        <translation>Duplikate nur nach Dateiname</translation>
    </message>
    <message>
        <source>Start scanning for file hogs</source>
        <translation>Suche nach großen Dateien starten</translation>
    </message>
    <message>
        <source>The second number must be larger or equal than the first number</source>
        <translation>Die zweite Zahl muss größer oder gleich der ersten Zahl sein</translation>
    </message>
    <message>
        <source>%1 duplicates in %2 groups, %3 bytes can be freed</source>
        <translation>%1 Duplikate in %2 Gruppen, %3 Byte können freigegeben werden</translation>
    </message>
    <message>
        <source>%1 duplicates found</source>
        <translation>%1 Duplikate gefunden</translation>
    </message>
    <message>
        <source>%1 file hogs found</source>
        <translation>%1 große Dateien gefunden</translation>
    </message>
    <message>
        <source>larger or equal to %1 %2</source>
        <translation>größer oder gleich %1 %2</translation>
    </message>
    <message>
        <source>smaller or equal to %1 %2</source>
        <translation>kleiner oder gleich %1 %2</translation>
    </message>
    <message>
        <source>in between %1 %3 and %2 %3</source>
        <translation>zwischen %1 %3 und %2 %3</translation>
    </message>
    <message>
        <source>Duplicates %1 matching %2 on drive(s) %3</source>
        <translation>Duplikate %1, Suchmuster %2, auf Laufwerk(en) %3</translation>
    </message>
    <message>
        <source>File Hogs %1 matching %2 on drive(s) %3</source>
        <translation>Große Dateien %1, Suchmuster %2, auf Laufwerk(en) %3</translation>
    </message>
    <message>
        <source>Replace marked with &amp;links to the kept copy</source>
        <translation>Markierte durch &amp;Links auf die behaltene Kopie ersetzen</translation>
    </message>
    <message>
        <source>Duplicate folders: %1; groups: %2; bytes that can be freed: %3</source>
        <translation>Doppelte Ordner: %1; Gruppen: %2; freizugebende Bytes: %3</translation>
    </message>
    <message>
        <source>No files are marked.</source>
        <translation>Es sind keine Dateien markiert.</translation>
    </message>
</context>
<context>
    <name>rw::TfrmDupCompare</name>
    <message>
        <source>Compare file pairs</source>
        <translation>Dateipaare vergleichen</translation>
    </message>
    <message>
        <source>&amp;Compute CRC values</source>
        <translation>&amp;CRC-Werte berechnen</translation>
    </message>
    <message>
        <source>If CRC values are different the the contents of each file is different</source>
        <translation>Sind die CRC-Werte verschieden, unterscheiden sich die Dateiinhalte</translation>
    </message>
    <message>
        <source>Display previous match (PgUp)</source>
        <translation>Vorigen Treffer anzeigen (Bild auf)</translation>
    </message>
    <message>
        <source>Display next match (PgDn)</source>
        <translation>Nächsten Treffer anzeigen (Bild ab)</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Print file details</source>
        <translation>Dateidetails drucken</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;Mark</source>
        <translation>&amp;Markieren</translation>
    </message>
    <message>
        <source>M&amp;ark</source>
        <translation>Mar&amp;kieren</translation>
    </message>
    <message>
        <source>Mark file for deletion (double click on grid also works)</source>
        <translation>Datei zum Löschen markieren (Doppelklick in die Liste geht auch)</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Ausführen</translation>
    </message>
    <message>
        <source>R&amp;un</source>
        <translation>Aus&amp;führen</translation>
    </message>
    <message>
        <source>Run/launch associated application</source>
        <translation>Mit dem zugeordneten Programm öffnen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>A&amp;nzeigen</translation>
    </message>
    <message>
        <source>Vie&amp;w</source>
        <translation>Anzei&amp;gen</translation>
    </message>
    <message>
        <source>View file</source>
        <translation>Datei anzeigen</translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation>Ordner:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Creation date:</source>
        <translation>Erstellt:</translation>
    </message>
    <message>
        <source>Modify date:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Access date:</source>
        <translation>Zugriff:</translation>
    </message>
    <message>
        <source>Attributes:</source>
        <translation>Attribute:</translation>
    </message>
    <message>
        <source>CRC Value:</source>
        <translation>CRC-Wert:</translation>
    </message>
    <message>
        <source>Extended profile absent</source>
        <translation>Keine erweiterten Angaben vorhanden</translation>
    </message>
    <message>
        <source>Couldn&apos;t run %1</source>
        <translation>%1 konnte nicht ausgeführt werden</translation>
    </message>
    <message>
        <source>Cannot open file %1</source>
        <translation>Die Datei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Error printing report ... quitting</source>
        <translation>Fehler beim Drucken des Berichts ... Abbruch</translation>
    </message>
</context>
<context>
    <name>rw::TfrmGrew</name>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <source>% of Change</source>
        <translation>% Anteil</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Sort by &amp;Change</source>
        <translation>Nach &amp;Änderung sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Before</source>
        <translation>Nach &amp;Vorher sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;After</source>
        <translation>Nach &amp;Nachher sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Difference</source>
        <translation>Nach &amp;Differenz sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Share</source>
        <translation>Nach &amp;Anteil sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Folder</source>
        <translation>Nach &amp;Ordner sortieren</translation>
    </message>
    <message>
        <source>What grew</source>
        <translation>Was gewachsen ist</translation>
    </message>
    <message>
        <source>&amp;Import scan…</source>
        <translation>Scan &amp;importieren…</translation>
    </message>
    <message>
        <source>Read a scan made elsewhere (ncdu&apos;s JSON export)</source>
        <translation>Einen anderswo erstellten Scan einlesen (JSON-Export von ncdu)</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Print the list of changes</source>
        <translation>Liste der Änderungen drucken</translation>
    </message>
    <message>
        <source>C&amp;lipboard</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the list of changes to clipboard</source>
        <translation>Liste der Änderungen in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Close window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Ordner:</translation>
    </message>
    <message>
        <source>&amp;Later scan:</source>
        <translation>&amp;Neuerer Scan:</translation>
    </message>
    <message>
        <source>&amp;Earlier scan:</source>
        <translation>&amp;Früherer Scan:</translation>
    </message>
    <message>
        <source>Folders are matched by their paths: a renamed folder shows as gone under its old name and new under its new one. A file with several hard links counts once in each folder. Scans that were aborted are never compared.</source>
        <translation>Ordner werden über ihren Pfad zugeordnet: Ein umbenannter Ordner erscheint unter dem alten Namen als entfernt und unter dem neuen als neu. Eine Datei mit mehreren Hardlinks zählt in jedem Ordner einmal. Abgebrochene Scans werden nie verglichen.</translation>
    </message>
    <message>
        <source>What grew in %1: %2</source>
        <translation>Was in %1 gewachsen ist: %2</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>Durch&amp;suchen</translation>
    </message>
    <message>
        <source>Show folder &amp;map</source>
        <translation>Ordner&amp;karte zeigen</translation>
    </message>
    <message>
        <source>The history %1 cannot be opened: %2</source>
        <translation>Der Verlauf %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 auf %2</translation>
    </message>
    <message>
        <source>No scans are kept yet: Folder Hogs keeps each scan it finishes.</source>
        <translation>Noch keine Scans aufbewahrt: Große Ordner bewahrt jeden abgeschlossenen Scan auf.</translation>
    </message>
    <message>
        <source>main folders</source>
        <translation>Hauptordner</translation>
    </message>
    <message>
        <source>all folders</source>
        <translation>alle Ordner</translation>
    </message>
    <message>
        <source>imported</source>
        <translation>importiert</translation>
    </message>
    <message>
        <source>command line</source>
        <translation>Befehlszeile</translation>
    </message>
    <message>
        <source>%1 %2 (%3)</source>
        <translation>%1 %2 (%3)</translation>
    </message>
    <message>
        <source>A week before</source>
        <translation>Eine Woche vorher</translation>
    </message>
    <message>
        <source>Only one scan of this folder is kept: scan it again later to see what grew.</source>
        <translation>Von diesem Ordner ist nur ein Scan aufbewahrt: Durchsuchen Sie ihn später erneut, um zu sehen, was gewachsen ist.</translation>
    </message>
    <message>
        <source>Folders changed: %1. %2 went from %3 to %4 (%5%6) between %7 and %8.</source>
        <translation>Geänderte Ordner: %1. %2 änderte sich zwischen %7 und %8 von %3 auf %4 (%5%6).</translation>
    </message>
    <message>
        <source>No kept scan holds %1: Folder Hogs keeps each scan it finishes.</source>
        <translation>Kein aufbewahrter Scan enthält %1: Große Ordner bewahrt jeden abgeschlossenen Scan auf.</translation>
    </message>
    <message>
        <source>Import scan</source>
        <translation>Scan importieren</translation>
    </message>
    <message>
        <source>ncdu JSON export (*.json);;All files (*)</source>
        <translation>ncdu-JSON-Export (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 could not be imported: %2</source>
        <translation>%1 konnte nicht importiert werden: %2</translation>
    </message>
</context>
<context>
    <name>rw::TfrmMain</name>
    <message>
        <source>Roomwise &apos;95 Version 2.7</source>
        <translation>Roomwise &apos;95 Version 2.7</translation>
    </message>
    <message>
        <source>&amp;Duplicate files</source>
        <translation>&amp;Doppelte Dateien</translation>
    </message>
    <message>
        <source>Locate and view duplicate files</source>
        <translation>Doppelte Dateien finden und anzeigen</translation>
    </message>
    <message>
        <source>&amp;File hogs</source>
        <translation>&amp;Große Dateien</translation>
    </message>
    <message>
        <source>Locate and view file hogs (large files)</source>
        <translation>Große Dateien finden und anzeigen</translation>
    </message>
    <message>
        <source>Files &amp;accessed</source>
        <translation>Dateien nach &amp;Zugriffsdatum</translation>
    </message>
    <message>
        <source>Files accessed within a range of dates</source>
        <translation>Dateizugriffe in einem Zeitraum</translation>
    </message>
    <message>
        <source>Folder &amp;hogs</source>
        <translation>Große &amp;Ordner</translation>
    </message>
    <message>
        <source>Displays large folders</source>
        <translation>Zeigt große Ordner an</translation>
    </message>
    <message>
        <source>&amp;Quick clean</source>
        <translation>Schnell &amp;aufräumen</translation>
    </message>
    <message>
        <source>Cleans up temporary files</source>
        <translation>Räumt temporäre Dateien auf</translation>
    </message>
    <message>
        <source>&amp;Statistics</source>
        <translation>&amp;Statistik</translation>
    </message>
    <message>
        <source>File/disk statistics</source>
        <translation>Datei- und Datenträgerstatistik</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>Du&amp;rchsuchen</translation>
    </message>
    <message>
        <source>Browse through files and folders</source>
        <translation>Dateien und Ordner durchsuchen</translation>
    </message>
    <message>
        <source>Ab&amp;out</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit and close </source>
        <translation>Beenden und schließen </translation>
    </message>
</context>
<context>
    <name>rw::TfrmMap</name>
    <message>
        <source>Folder map</source>
        <translation>Ordnerkarte</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>&amp;Hoch</translation>
    </message>
    <message>
        <source>Show the folder above (Backspace)</source>
        <translation>Den übergeordneten Ordner zeigen (Rücktaste)</translation>
    </message>
    <message>
        <source>Apparent size</source>
        <translation>Dateigröße</translation>
    </message>
    <message>
        <source>Disk usage</source>
        <translation>Belegter Platz</translation>
    </message>
    <message>
        <source>Size tiles by the files&apos; lengths or by the space they take</source>
        <translation>Kacheln nach der Länge der Dateien oder nach dem belegten Platz bemessen</translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation>A&amp;bbrechen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Scanning %1 (%2 files)</source>
        <translation>Durchsuche %1 (%2 Dateien)</translation>
    </message>
    <message>
        <source>Can&apos;t open folder %1: %2</source>
        <translation>Ordner %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Aborted: the map shows what was scanned before.</source>
        <translation>Abgebrochen: Die Karte zeigt, was bis dahin durchsucht wurde.</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 in %2</translation>
    </message>
    <message>
        <source>%1 (%2 on disk)</source>
        <translation>%1 (%2 auf dem Datenträger)</translation>
    </message>
    <message numerus="yes">
        <source>Small files in %1: %n</source>
        <translation>
            <numerusform>Kleine Dateien in %1: %n</numerusform>
            <numerusform>Kleine Dateien in %1: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 — %2, %3 % of the map</source>
        <translation>%1 — %2, %3 % der Karte</translation>
    </message>
    <message>
        <source> (its folder could not be read completely)</source>
        <translation> (sein Ordner konnte nicht vollständig gelesen werden)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Anzeigen</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>&amp;Details</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>Durch&amp;suchen</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>A&amp;usführen</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Hinein&amp;zoomen</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>&amp;Herauszoomen</translation>
    </message>
    <message>
        <source>D&amp;elete…</source>
        <translation>&amp;Löschen…</translation>
    </message>
    <message>
        <source>Couldn&apos;t run %1</source>
        <translation>%1 konnte nicht ausgeführt werden</translation>
    </message>
    <message>
        <source>%1 is gone from the map.</source>
        <translation>%1 ist aus der Karte entfernt.</translation>
    </message>
</context>
<context>
    <name>rw::TfrmMods</name>
    <message>
        <source>Popup Calendar</source>
        <translation>Kalender öffnen</translation>
    </message>
    <message>
        <source>Files in a range of dates</source>
        <translation>Dateien in einem Zeitraum</translation>
    </message>
    <message>
        <source>Search for files that were</source>
        <translation>Dateien suchen, die</translation>
    </message>
    <message>
        <source>Last accessed</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Last modified</source>
        <translation>Zuletzt geändert</translation>
    </message>
    <message>
        <source>On or Before</source>
        <translation>Bis zum</translation>
    </message>
    <message>
        <source>In between</source>
        <translation>Zwischen</translation>
    </message>
    <message>
        <source>On or After</source>
        <translation>Ab dem</translation>
    </message>
    <message>
        <source>and</source>
        <translation>und</translation>
    </message>
    <message>
        <source>Wildcard match</source>
        <translation>Suchmuster</translation>
    </message>
    <message>
        <source>Wildcard pattern for matching file types</source>
        <translation>Suchmuster für die Dateitypen</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Start scanning for files</source>
        <translation>Dateisuche starten</translation>
    </message>
    <message>
        <source>Mark files for deletion</source>
        <translation>Dateien zum Löschen markieren</translation>
    </message>
    <message>
        <source>Browse through files</source>
        <translation>Dateien durchsuchen</translation>
    </message>
    <message>
        <source>Double click to mark for deletion, right click for options</source>
        <translation>Doppelklick markiert zum Löschen, Rechtsklick zeigt Optionen</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Accessed</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>Access &amp;Date</source>
        <translation>&amp;Zugriffsdatum</translation>
    </message>
    <message>
        <source>&amp;Creation Date</source>
        <translation>&amp;Erstellungsdatum</translation>
    </message>
    <message>
        <source>&amp;Modification Date</source>
        <translation>Än&amp;derungsdatum</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>&amp;Folder</source>
        <translation>&amp;Ordner</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>Invalid start date</source>
        <translation>Ungültiges Anfangsdatum</translation>
    </message>
    <message>
        <source>Invalid ending date</source>
        <translation>Ungültiges Enddatum</translation>
    </message>
    <message>
        <source>Found : %1</source>
        <translation>Gefunden : %1</translation>
    </message>
    <message>
        <source>before %1</source>
        <translation>bis %1</translation>
    </message>
    <message>
        <source>between %1 and %2</source>
        <translation>zwischen %1 und %2</translation>
    </message>
    <message>
        <source>after %1</source>
        <translation>ab %1</translation>
    </message>
    <message>
        <source>Files %1 %2</source>
        <translation>Dateien %1 %2</translation>
    </message>
</context>
<context>
    <name>rw::TfrmPickDate</name>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Change the displayed year</source>
        <translation>Angezeigtes Jahr ändern</translation>
    </message>
    <message>
        <source>Change the displayed month</source>
        <translation>Angezeigten Monat ändern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Select date</source>
        <translation>Datum übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>rw::TfrmReallyDelete</name>
    <message>
        <source>Delete/rename the following files:</source>
        <translation>Folgende Dateien löschen/umbenennen:</translation>
    </message>
    <message>
        <source>Potential savings of </source>
        <translation>Mögliche Einsparung: </translation>
    </message>
    <message>
        <source>&amp;Delete all files</source>
        <translation>&amp;Alle Dateien löschen</translation>
    </message>
    <message>
        <source>Delete the files shown above permanently.  Cannot be undeleted.</source>
        <translation>Die oben gezeigten Dateien endgültig löschen.  Kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>&amp;Send to recycle bin</source>
        <translation>In den &amp;Papierkorb</translation>
    </message>
    <message>
        <source>Send to recycle bin.  Recycle bin can be emptied later.</source>
        <translation>In den Papierkorb verschieben.  Der Papierkorb kann später geleert werden.</translation>
    </message>
    <message>
        <source>WARNING: The file(s) that you selected to delete may belong to working applications.  Roomwise cannot determine if they are needed for proper operation of other applications.  If in doubt do not delete these files. </source>
        <translation>WARNUNG: Die zum Löschen ausgewählten Dateien können zu installierten Programmen gehören.  Roomwise kann nicht feststellen, ob andere Programme sie zum Arbeiten brauchen.  Löschen Sie diese Dateien im Zweifel nicht. </translation>
    </message>
    <message>
        <source>Progress bar</source>
        <translation>Fortschrittsanzeige</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel and close.  Do not rename or delete </source>
        <translation>Abbrechen und schließen.  Nichts umbenennen oder löschen </translation>
    </message>
    <message>
        <source>The following %1 files will be deleted.</source>
        <translation>Die folgenden %1 Dateien werden gelöscht.</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>There are no files to delete</source>
        <translation>Es gibt keine Dateien zum Löschen</translation>
    </message>
    <message>
        <source>Really delete?</source>
        <translation>Wirklich löschen?</translation>
    </message>
    <message>
        <source>Files not deleted</source>
        <translation>Dateien nicht gelöscht</translation>
    </message>
    <message>
        <source>Note that the recycle bin may be full or that you may have the &quot;Immediately Remove Files On Delete&quot; option turned on in the recycle bin. If either is true, then you will not be able to recover the deleted files from the recycle bin. 

Send to the recycle bin anyway?</source>
        <translation>Beachten Sie, dass der Papierkorb voll sein kann oder dass im Papierkorb die Option „Dateien sofort löschen“ eingeschaltet sein kann. In beiden Fällen lassen sich die gelöschten Dateien nicht aus dem Papierkorb wiederherstellen. 

Trotzdem in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>%1

The deletion totals will not be recorded. Delete the files anyway?</source>
        <translation>%1

Die Löschsummen werden nicht gespeichert. Die Dateien trotzdem löschen?</translation>
    </message>
</context>
<context>
    <name>rw::TfrmReplaceLinks</name>
    <message>
        <source>Replace marked files with links</source>
        <translation>Markierte Dateien durch Links ersetzen</translation>
    </message>
    <message>
        <source>Files and the links they become</source>
        <translation>Dateien und die Links, zu denen sie werden</translation>
    </message>
    <message>
        <source>Every path keeps opening the same contents. A reflink is a file of its own and keeps the replaced file&apos;s permissions, owner, times and extended attributes such as ACLs. A hard link is the kept copy itself: it cannot keep the replaced file&apos;s own permissions, owner and times, it shows the kept copy&apos;s, and a change written through one name shows in all.</source>
        <translation>Jeder Pfad öffnet weiterhin denselben Inhalt. Ein Reflink ist eine eigene Datei und behält Rechte, Besitzer, Zeitstempel und erweiterte Attribute wie ACLs der ersetzten Datei. Ein Hardlink ist die behaltene Kopie selbst: Er kann die eigenen Rechte, den Besitzer und die Zeitstempel der ersetzten Datei nicht behalten, er zeigt die der behaltenen Kopie, und eine Änderung über einen Namen zeigt sich unter allen.</translation>
    </message>
    <message>
        <source>Progress bar</source>
        <translation>Fortschrittsanzeige</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Replace the files listed above by links to their kept copies.</source>
        <translation>Die oben aufgeführten Dateien durch Links auf ihre behaltenen Kopien ersetzen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close without replacing anything</source>
        <translation>Schließen, ohne etwas zu ersetzen</translation>
    </message>
    <message>
        <source>Files to be replaced by links: %1 (by reflinks: %2, by hard links: %3). Files left as they are: %4.</source>
        <translation>Durch Links zu ersetzende Dateien: %1 (durch Reflinks: %2, durch Hardlinks: %3). Unverändert bleibende Dateien: %4.</translation>
    </message>
    <message>
        <source>Bytes freed: %1 bytes</source>
        <translation>Freigegeben: %1 Byte</translation>
    </message>
    <message>
        <source>%1  becomes a %2</source>
        <translation>%1  wird ein %2</translation>
    </message>
    <message>
        <source>%1  is left: %2</source>
        <translation>%1  bleibt: %2</translation>
    </message>
    <message>
        <source>There are no files to replace</source>
        <translation>Es gibt keine Dateien zu ersetzen</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>%1

The freed space will not be added to the deletion totals. Replace the files anyway?</source>
        <translation>%1

Der freigegebene Platz wird nicht zu den Löschsummen gezählt. Die Dateien trotzdem ersetzen?</translation>
    </message>
</context>
<context>
    <name>rw::TfrmSelectExtension</name>
    <message>
        <source>Select a file extension</source>
        <translation>Dateiendung auswählen</translation>
    </message>
    <message>
        <source>Type in a new file extension or select one or many from the list below:</source>
        <translation>Geben Sie eine neue Dateiendung ein oder wählen Sie eine oder mehrere aus der Liste:</translation>
    </message>
    <message>
        <source>Hint: Drag mouse or use ctrl-click to select multiple file extensions.</source>
        <translation>Tipp: Mit gezogener Maus oder Strg+Klick wählen Sie mehrere Dateiendungen aus.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>rw::TfrmStatList</name>
    <message>
        <source>File types</source>
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>File Types</source>
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>List of temporary file extensions and types</source>
        <translation>Liste der Endungen und Typen temporärer Dateien</translation>
    </message>
    <message>
        <source>Hint: Drag mouse or use ctrl-click to select multiple file types.</source>
        <translation>Tipp: Mit gezogener Maus oder Strg+Klick wählen Sie mehrere Dateitypen aus.</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Add a file extension to this list</source>
        <translation>Eine Dateiendung zu dieser Liste hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete a file extension</source>
        <translation>Eine Dateiendung löschen</translation>
    </message>
    <message>
        <source>&amp;Clear all</source>
        <translation>Lee&amp;ren</translation>
    </message>
    <message>
        <source>Clear all extensions</source>
        <translation>Alle Endungen entfernen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>%1 available</source>
        <translation>%1 verfügbar</translation>
    </message>
    <message>
        <source>The file type list could not be saved.</source>
        <translation>Die Liste der Dateitypen konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>rw::TfrmStatistics</name>
    <message>
        <source>Statistics haven&apos;t been collected yet!</source>
        <translation>Es wurde noch keine Statistik erfasst!</translation>
    </message>
    <message>
        <source>File Statistics Not Yet Collected</source>
        <translation>Dateistatistik noch nicht erfasst</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>Types</source>
        <translation>Typen</translation>
    </message>
    <message>
        <source>Sizes</source>
        <translation>Größen</translation>
    </message>
    <message>
        <source>Overhang</source>
        <translation>Cluster</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Combined</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Attribute</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;Collect statistics</source>
        <translation>Statistik &amp;erfassen</translation>
    </message>
    <message>
        <source>Start collecting statistics</source>
        <translation>Erfassung der Statistik starten</translation>
    </message>
    <message>
        <source>&amp;Print page</source>
        <translation>Seite &amp;drucken</translation>
    </message>
    <message>
        <source>Print this page only</source>
        <translation>Nur diese Seite drucken</translation>
    </message>
    <message>
        <source>Processing drive %1 ... standby : %2</source>
        <translation>Laufwerk %1 wird verarbeitet ... bitte warten : %2</translation>
    </message>
    <message>
        <source>Files processed by Roomwise 95</source>
        <translation>Von Roomwise 95 bearbeitete Dateien</translation>
    </message>
    <message>
        <source>Deleted files</source>
        <translation>Gelöschte Dateien</translation>
    </message>
    <message>
        <source>Files sent to the recycle bin</source>
        <translation>In den Papierkorb verschobene Dateien</translation>
    </message>
    <message>
        <source>Reset these numbers</source>
        <translation>Zahlen zurücksetzen</translation>
    </message>
    <message>
        <source>Reset cumulative totals?</source>
        <translation>Die aufgelaufenen Summen zurücksetzen?</translation>
    </message>
    <message>
        <source>Could not write the settings file.</source>
        <translation>Die Einstellungsdatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Listing</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Chart by Size (in MB)</source>
        <translation>Diagramm nach Größe (in MB)</translation>
    </message>
    <message>
        <source>Chart by Number of Files</source>
        <translation>Diagramm nach Anzahl der Dateien</translation>
    </message>
    <message>
        <source>File size</source>
        <translation>Dateigröße</translation>
    </message>
    <message>
        <source>Total file size</source>
        <translation>Gesamtgröße der Dateien</translation>
    </message>
    <message>
        <source>Number of files</source>
        <translation>Anzahl der Dateien</translation>
    </message>
    <message>
        <source>File Sizes in MB</source>
        <translation>Dateigrößen in MB</translation>
    </message>
    <message>
        <source>Number of Files</source>
        <translation>Anzahl der Dateien</translation>
    </message>
    <message>
        <source>Could not compute the total size of the disk drives selected.  Cannot proceed with statistics.</source>
        <translation>Die Gesamtgröße der ausgewählten Laufwerke konnte nicht ermittelt werden.  Die Statistik kann nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Disk Drive %1 will be scanned.  The analysis may take some time.  You may quit at any time by clicking Abort or pressing ESC.</source>
        <translation>Laufwerk %1 wird durchsucht.  Die Auswertung kann einige Zeit dauern.  Sie können jederzeit mit „Abbrechen“ oder der Esc-Taste aufhören.</translation>
    </message>
    <message>
        <source>Since you selected more than one drive to analyze, the Cluster Overhang tab will be disabled.  You may quit the analysis at any time by clicking CANCEL or by pressing ESC.</source>
        <translation>Da Sie mehr als ein Laufwerk ausgewählt haben, ist die Registerkarte „Cluster“ nicht verfügbar.  Sie können die Auswertung jederzeit mit „Abbrechen“ oder der Esc-Taste beenden.</translation>
    </message>
    <message>
        <source>Collecting statistics ... standby.  Press Esc or click Abort to stop.</source>
        <translation>Statistik wird erfasst ... bitte warten.  Zum Beenden Esc drücken oder auf „Abbrechen“ klicken.</translation>
    </message>
    <message>
        <source>File Statistics for drive(s) incomplete ... aborted.</source>
        <translation>Dateistatistik für Laufwerk(e) unvollständig ... abgebrochen.</translation>
    </message>
    <message>
        <source>Statistics completed for drives %1</source>
        <translation>Statistik abgeschlossen für Laufwerke %1</translation>
    </message>
    <message>
        <source>Finished - %1 files processed</source>
        <translation>Fertig – %1 Dateien verarbeitet</translation>
    </message>
    <message>
        <source>%1 files found</source>
        <translation>%1 Dateien gefunden</translation>
    </message>
    <message>
        <source> INCOMPLETE ... ABORTED</source>
        <translation> UNVOLLSTÄNDIG ... ABGEBROCHEN</translation>
    </message>
    <message>
        <source>Could not print this page.</source>
        <translation>Diese Seite konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>File types for drive %1</source>
        <translation>Dateitypen auf Laufwerk %1</translation>
    </message>
</context>
<context>
    <name>rw::TfrmTempFiles</name>
    <message>
        <source>Temporary file extensions</source>
        <translation>Endungen temporärer Dateien</translation>
    </message>
    <message>
        <source>List of temporary file extensions and types</source>
        <translation>Liste der Endungen und Typen temporärer Dateien</translation>
    </message>
    <message>
        <source>Some common temporary file extensions are .TMP, .TEMP, .$$$, .OLD and .BAK.  It is your responsibility to ensure that you have selected the proper extensions for file deletion.</source>
        <translation>Übliche Endungen temporärer Dateien sind .TMP, .TEMP, .$$$, .OLD und .BAK.  Sie sind selbst dafür verantwortlich, die richtigen Endungen zum Löschen auszuwählen.</translation>
    </message>
    <message>
        <source>.FTS files may deleted if you&apos;re really short of space.  They are Windows help file searching add-ons.  They can be re-generated as needed.</source>
        <translation>.FTS-Dateien können gelöscht werden, wenn der Platz wirklich knapp ist.  Es sind Suchhilfen für Windows-Hilfedateien.  Sie werden bei Bedarf neu erzeugt.</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Add a file extension to this list</source>
        <translation>Eine Dateiendung zu dieser Liste hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete a file extension</source>
        <translation>Eine Dateiendung löschen</translation>
    </message>
    <message>
        <source>&amp;Clear all</source>
        <translation>Lee&amp;ren</translation>
    </message>
    <message>
        <source>Clear all extensions</source>
        <translation>Alle Endungen entfernen</translation>
    </message>
    <message>
        <source>D&amp;efaults</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>Inserts some default temporary file extensions</source>
        <translation>Fügt übliche Endungen temporärer Dateien ein</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>Couldn&apos;t save the temporary file extensions</source>
        <translation>Die Endungen temporärer Dateien konnten nicht gespeichert werden</translation>
    </message>
</context>
<context>
    <name>rw::TfrmView</name>
    <message>
        <source>Total: %1</source>
        <translation>Gesamt: %1</translation>
    </message>
    <message>
        <source>Top: %1</source>
        <translation>Oben: %1</translation>
    </message>
    <message>
        <source>Bytes: %1</source>
        <translation>Byte: %1</translation>
    </message>
    <message>
        <source>View file</source>
        <translation>Datei anzeigen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Öffnen...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>P&amp;rint setup...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Clipboard</source>
        <translation>&amp;Zwischenablage</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Select all</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find &amp;next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Go to line...</source>
        <translation>&amp;Gehe zu Zeile...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Hex Mode</source>
        <translation>&amp;Hex-Modus</translation>
    </message>
    <message>
        <source>&amp;Tab expansion</source>
        <translation>&amp;Tabulatoren erweitern</translation>
    </message>
    <message>
        <source>Tab si&amp;ze...</source>
        <translation>Tab&amp;breite...</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>Schrift&amp;art...</translation>
    </message>
    <message>
        <source>&amp;ASCII</source>
        <translation>&amp;ASCII</translation>
    </message>
    <message>
        <source>&amp;Hex</source>
        <translation>&amp;Hex</translation>
    </message>
    <message>
        <source>Fo&amp;nt</source>
        <translation>S&amp;chrift</translation>
    </message>
    <message>
        <source>P&amp;rint setup</source>
        <translation>Drucker&amp;einrichtung</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>Dr&amp;ucken</translation>
    </message>
    <message>
        <source>Pee&amp;k at strings</source>
        <translation>Zeichen&amp;ketten ansehen</translation>
    </message>
    <message>
        <source>Peek inside file for ASCII strings</source>
        <translation>Die Datei nach ASCII-Zeichenketten durchsehen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Could not open file %1</source>
        <translation>Die Datei %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>View File : %1</source>
        <translation>Datei anzeigen : %1</translation>
    </message>
    <message>
        <source>Total: ?</source>
        <translation>Gesamt: ?</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Error printing report ... quitting</source>
        <translation>Fehler beim Drucken des Berichts ... Abbruch</translation>
    </message>
    <message>
        <source>Tab Size</source>
        <translation>Tabulatorbreite</translation>
    </message>
    <message>
        <source>Enter tab size</source>
        <translation>Tabulatorbreite eingeben</translation>
    </message>
    <message>
        <source>Go to line number</source>
        <translation>Gehe zu Zeile</translation>
    </message>
    <message>
        <source>Enter line number (1 to %1)</source>
        <translation>Zeilennummer eingeben (1 bis %1)</translation>
    </message>
    <message>
        <source>Search string &apos;%1&apos; not found</source>
        <translation>Suchtext &apos;%1&apos; nicht gefunden</translation>
    </message>
    <message>
        <source>Could not write file %1</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Looking for strings in %1</source>
        <translation>Suche Zeichenketten in %1</translation>
    </message>
</context>
<context>
    <name>rw::TfrmWhichDrive</name>
    <message>
        <source>Which drives and file types?</source>
        <translation>Welche Laufwerke und Dateitypen?</translation>
    </message>
    <message>
        <source>Which drives?</source>
        <translation>Welche Laufwerke?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Next &gt;&gt;</source>
        <translation>&amp;Weiter &gt;&gt;</translation>
    </message>
    <message>
        <source>Which file types?</source>
        <translation>Welche Dateitypen?</translation>
    </message>
    <message>
        <source>&amp;All files</source>
        <translation>&amp;Alle Dateien</translation>
    </message>
    <message>
        <source>&amp;Selected file types only</source>
        <translation>&amp;Nur ausgewählte Dateitypen</translation>
    </message>
    <message>
        <source>All files &amp;except selected file types</source>
        <translation>Alle Dateien &amp;ohne gewählte Typen</translation>
    </message>
    <message>
        <source>&lt;&lt; &amp;Previous</source>
        <translation>&lt;&lt; &amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Add/Delete</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Add, delete file types</source>
        <translation>Dateitypen hinzufügen oder löschen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Selected file types only</source>
        <translation>Nur ausgewählte Dateitypen</translation>
    </message>
    <message>
        <source>All file types except ...</source>
        <translation>Alle Dateitypen außer ...</translation>
    </message>
</context>
<context>
    <name>rw::TfrmWildCard</name>
    <message>
        <source>Wildcard pattern</source>
        <translation>Suchmuster</translation>
    </message>
    <message>
        <source>Change the wildcard matching pattern:</source>
        <translation>Suchmuster ändern:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>rw::ToolWindow</name>
    <message>
        <source>No files found.</source>
        <translation>Keine Dateien gefunden.</translation>
    </message>
</context>
<context>
    <name>rw::WildcardBox</name>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
</context>
</TS>
