<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BoardWords</name>
    <message>
        <source>yours</source>
        <translation>Ihrer</translation>
    </message>
    <message>
        <source>owned by %1</source>
        <translation>gehört %1</translation>
    </message>
    <message>
        <source>blocked for both</source>
        <translation>für beide gesperrt</translation>
    </message>
    <message>
        <source>blocked for you</source>
        <translation>für Sie gesperrt</translation>
    </message>
    <message>
        <source>blocked for %1</source>
        <translation>für %1 gesperrt</translation>
    </message>
    <message>
        <source>Column %1, row %2: no node</source>
        <translation>Spalte %1, Zeile %2: kein Knoten</translation>
    </message>
    <message>
        <source>expanded</source>
        <translation>ausgebaut</translation>
    </message>
    <message>
        <source>1 link</source>
        <translation>1 Verbindung</translation>
    </message>
    <message>
        <source>%1 links</source>
        <translation>%1 Verbindungen</translation>
    </message>
    <message>
        <source>free</source>
        <translation>frei</translation>
    </message>
    <message>
        <source>played last</source>
        <translation>zuletzt gespielt</translation>
    </message>
    <message>
        <source>Column %1, row %2: %3</source>
        <translation>Spalte %1, Zeile %2: %3</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 claims column %2, row %3.</source>
        <translation>%1 besetzt Spalte %2, Zeile %3.</translation>
    </message>
    <message>
        <source>%1 expands column %2, row %3.</source>
        <translation>%1 baut Spalte %2, Zeile %3 aus.</translation>
    </message>
    <message>
        <source>%1 expands column %2, row %3 and neutralises nodes next to it.</source>
        <translation>%1 baut Spalte %2, Zeile %3 aus und neutralisiert Knoten daneben.</translation>
    </message>
    <message>
        <source>Refused: column %1, row %2 is blocked for you.</source>
        <translation>Abgelehnt: Spalte %1, Zeile %2 ist für Sie gesperrt.</translation>
    </message>
    <message>
        <source>Refused: column %1, row %2 belongs to your opponent.</source>
        <translation>Abgelehnt: Spalte %1, Zeile %2 gehört Ihrem Gegner.</translation>
    </message>
    <message>
        <source>Refused: column %1, row %2 is already expanded.</source>
        <translation>Abgelehnt: Spalte %1, Zeile %2 ist schon ausgebaut.</translation>
    </message>
    <message>
        <source>Refused: column %1, row %2.</source>
        <translation>Abgelehnt: Spalte %1, Zeile %2.</translation>
    </message>
    <message>
        <source>%1: %2 nodes, %3 links, %4 points</source>
        <translation>%1: %2 Knoten, %3 Verbindungen, %4 Punkte</translation>
    </message>
</context>
<context>
    <name>GameDiscovery</name>
    <message>
        <source>the Avahi client library is not installed</source>
        <translation>die Avahi-Client-Bibliothek ist nicht installiert</translation>
    </message>
    <message>
        <source>the Avahi daemon is not running</source>
        <translation>der Avahi-Dienst läuft nicht</translation>
    </message>
    <message>
        <source>the connection to the Avahi daemon was lost</source>
        <translation>die Verbindung zum Avahi-Dienst ist abgebrochen</translation>
    </message>
    <message>
        <source>the Avahi daemon refused access</source>
        <translation>der Avahi-Dienst verweigert den Zugriff</translation>
    </message>
    <message>
        <source>Avahi error %1: %2</source>
        <translation>Avahi-Fehler %1: %2</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Player 1</source>
        <translation>Spieler 1</translation>
    </message>
    <message>
        <source>Player 2</source>
        <translation>Spieler 2</translation>
    </message>
    <message>
        <source>CPU 1</source>
        <translation>CPU 1</translation>
    </message>
    <message>
        <source>CPU 2</source>
        <translation>CPU 2</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>%1 + %2 = %3</source>
        <translation>%1 + %2 = %3</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Spiel vorbei</translation>
    </message>
    <message>
        <source>Game Over: Draw (%1/%2)</source>
        <translation>Spiel vorbei: Unentschieden (%1/%2)</translation>
    </message>
    <message>
        <source>Draw - both have %1 points!</source>
        <translation>Unentschieden - beide haben %1 Punkte!</translation>
    </message>
    <message>
        <source>%1 wins (%2/%3)</source>
        <translation>%1 gewinnt (%2/%3)</translation>
    </message>
    <message>
        <source>You win! %1 to %2 points.</source>
        <translation>Sie gewinnen! %1 zu %2 Punkten.</translation>
    </message>
    <message>
        <source>You lose... %1 to %2 points.</source>
        <translation>Sie verlieren... %1 zu %2 Punkten.</translation>
    </message>
    <message>
        <source>%1 wins! %2 to %3 points.</source>
        <translation>%1 gewinnt! %2 zu %3 Punkten.</translation>
    </message>
    <message>
        <source>New game started.</source>
        <translation>Neues Spiel gestartet.</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Startseite</translation>
    </message>
</context>
<context>
    <name>NetGame</name>
    <message>
        <source>Disconnected.</source>
        <translation>Verbindung getrennt.</translation>
    </message>
    <message>
        <source>Disconnected (server disconnected).</source>
        <translation>Verbindung getrennt (Server hat getrennt).</translation>
    </message>
    <message>
        <source>Disconnected (client disconnected).</source>
        <translation>Verbindung getrennt (Client hat getrennt).</translation>
    </message>
    <message>
        <source>Disconnected (network error).</source>
        <translation>Verbindung getrennt (Netzwerkfehler).</translation>
    </message>
    <message>
        <source>Disconnected (unknown reason).</source>
        <translation>Verbindung getrennt (unbekannter Grund).</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Please enter server IP: (eg. 192.168.0.2)</source>
        <translation>Bitte die IP-Adresse des Servers eingeben: (z. B. 192.168.0.2)</translation>
    </message>
    <message>
        <source>You are currently connected. Close connection any continue?</source>
        <translation>Sie sind zurzeit verbunden. Verbindung trennen und fortfahren?</translation>
    </message>
    <message>
        <source>Game re-synchronized</source>
        <translation>Spiel neu synchronisiert</translation>
    </message>
    <message>
        <source>Waiting for client, IP is %1</source>
        <translation>Warte auf Client, IP ist %1</translation>
    </message>
    <message>
        <source>Connecting to %1 on %2...</source>
        <translation>Verbinde mit %1 auf Port %2...</translation>
    </message>
    <message>
        <source>Client %1 connected.</source>
        <translation>Client %1 verbunden.</translation>
    </message>
    <message>
        <source>Connected to %1</source>
        <translation>Verbunden mit %1</translation>
    </message>
    <message>
        <source>Network error</source>
        <translation>Netzwerkfehler</translation>
    </message>
    <message>
        <source>Received broken data! The connection seems to be unstable.</source>
        <translation>Fehlerhafte Daten empfangen! Die Verbindung scheint instabil zu sein.</translation>
    </message>
    <message>
        <source>Game synchronized.</source>
        <translation>Spiel synchronisiert.</translation>
    </message>
    <message>
        <source>Boards out of step: the board was sent again.</source>
        <translation>Spielbretter weichen ab: Das Brett wurde erneut gesendet.</translation>
    </message>
    <message>
        <source>Boards out of step: the host sends its board again.</source>
        <translation>Spielbretter weichen ab: Der Host sendet sein Brett erneut.</translation>
    </message>
    <message>
        <source>The peer&apos;s program cannot show some of these characters; it shows &quot;?&quot; instead.</source>
        <translation>Das Programm der Gegenseite kann einige dieser Zeichen nicht anzeigen; es zeigt stattdessen &quot;?&quot;.</translation>
    </message>
    <message>
        <source>Client %1 left before the game began; still waiting for a client.</source>
        <translation>Client %1 ist vor Spielbeginn gegangen; warte weiter auf einen Client.</translation>
    </message>
</context>
<context>
    <name>OpeningBook</name>
    <message>
        <source>damaged at line %1</source>
        <translation>beschädigt in Zeile %1</translation>
    </message>
    <message>
        <source>not a book</source>
        <translation>ist kein Eröffnungsbuch</translation>
    </message>
    <message>
        <source>cut short or damaged</source>
        <translation>ist unvollständig oder beschädigt</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>too large</source>
        <translation>ist zu groß</translation>
    </message>
</context>
<context>
    <name>Pages</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Could not open default browser!<byte value="xd"/>
<byte value="xd"/>
Local version of %1 also isn&apos;t available!</source>
        <translation>Der Standardbrowser konnte nicht geöffnet werden!<byte value="xd"/>
<byte value="xd"/>
Die lokale Version von %1 ist ebenfalls nicht verfügbar!</translation>
    </message>
    <message>
        <source>Vextal - Updates</source>
        <translation>Vextal - Aktualisierungen</translation>
    </message>
    <message>
        <source>Vextal - Donate</source>
        <translation>Vextal - Spenden</translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>Accept</source>
        <translation>Annehmen</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Ablehnen</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>not a saved game (it does not begin with &quot;(;&quot;)</source>
        <translation>keine gespeicherte Partie (sie beginnt nicht mit „(;“)</translation>
    </message>
    <message>
        <source>variations are not supported</source>
        <translation>Varianten werden nicht unterstützt</translation>
    </message>
    <message>
        <source>unexpected character</source>
        <translation>unerwartetes Zeichen</translation>
    </message>
    <message>
        <source>text after the end of the game</source>
        <translation>Text nach dem Ende der Partie</translation>
    </message>
    <message>
        <source>the game has no root node</source>
        <translation>die Partie hat keinen Wurzelknoten</translation>
    </message>
    <message>
        <source>unknown property</source>
        <translation>unbekannte Eigenschaft</translation>
    </message>
    <message>
        <source>property %1 given twice</source>
        <translation>Eigenschaft %1 doppelt angegeben</translation>
    </message>
    <message>
        <source>property %1 has no value</source>
        <translation>Eigenschaft %1 hat keinen Wert</translation>
    </message>
    <message>
        <source>too many values</source>
        <translation>zu viele Werte</translation>
    </message>
    <message>
        <source>a value is too long</source>
        <translation>ein Wert ist zu lang</translation>
    </message>
    <message>
        <source>a value is not closed</source>
        <translation>ein Wert ist nicht abgeschlossen</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>property %1 takes one value</source>
        <translation>Eigenschaft %1 nimmt genau einen Wert</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a point of the board</source>
        <translation>„%1“ ist kein Punkt des Spielbretts</translation>
    </message>
    <message>
        <source>a point is listed twice</source>
        <translation>ein Punkt ist doppelt aufgeführt</translation>
    </message>
    <message>
        <source>unknown property %1</source>
        <translation>unbekannte Eigenschaft %1</translation>
    </message>
    <message>
        <source>not a saved game of this program (GM[Vextal])</source>
        <translation>keine gespeicherte Partie dieses Programms (GM[Vextal])</translation>
    </message>
    <message>
        <source>only file format 4 is read (FF[4])</source>
        <translation>nur Dateiformat 4 wird gelesen (FF[4])</translation>
    </message>
    <message>
        <source>only the character set UTF-8 is read</source>
        <translation>nur der Zeichensatz UTF-8 wird gelesen</translation>
    </message>
    <message>
        <source>a player&apos;s name is too long</source>
        <translation>ein Spielername ist zu lang</translation>
    </message>
    <message>
        <source>the date is not a date (YYYY-MM-DD)</source>
        <translation>das Datum ist kein Datum (JJJJ-MM-TT)</translation>
    </message>
    <message>
        <source>the first player must be B or W</source>
        <translation>der erste Spieler muss B oder W sein</translation>
    </message>
    <message>
        <source>the board size (SZ) is missing</source>
        <translation>die Brettgröße (SZ) fehlt</translation>
    </message>
    <message>
        <source>the board size must be columns:rows up to 8:8</source>
        <translation>die Brettgröße muss Spalten:Zeilen bis 8:8 sein</translation>
    </message>
    <message>
        <source>the stage (XS) must be 1 to 7</source>
        <translation>die Stufe (XS) muss 1 bis 7 sein</translation>
    </message>
    <message>
        <source>the board is not the stage&apos;s layout</source>
        <translation>das Brett entspricht nicht dem Aufbau der Stufe</translation>
    </message>
    <message>
        <source>a random stage needs its nodes (XN)</source>
        <translation>eine Zufallsstufe braucht ihre Knoten (XN)</translation>
    </message>
    <message>
        <source>an owner is set on a point without a free node</source>
        <translation>ein Besitzer steht auf einem Punkt ohne freien Knoten</translation>
    </message>
    <message>
        <source>an expanded point has no owner</source>
        <translation>ein ausgebauter Punkt hat keinen Besitzer</translation>
    </message>
    <message>
        <source>the start position could not come about by the rules</source>
        <translation>die Anfangsstellung kann nach den Regeln nicht entstehen</translation>
    </message>
    <message>
        <source>a move node holds one move</source>
        <translation>ein Zugknoten enthält genau einen Zug</translation>
    </message>
    <message>
        <source>unknown property %1 in a move</source>
        <translation>unbekannte Eigenschaft %1 in einem Zug</translation>
    </message>
    <message>
        <source>a node without a move</source>
        <translation>ein Knoten ohne Zug</translation>
    </message>
    <message>
        <source>too many moves</source>
        <translation>zu viele Züge</translation>
    </message>
    <message>
        <source>the move %1 is made out of turn</source>
        <translation>der Zug %1 wird außer der Reihe gemacht</translation>
    </message>
    <message>
        <source>the move %1 is not legal here</source>
        <translation>der Zug %1 ist hier nicht erlaubt</translation>
    </message>
    <message>
        <source>a result is given, but the game is not over</source>
        <translation>ein Ergebnis ist angegeben, aber die Partie ist nicht zu Ende</translation>
    </message>
    <message>
        <source>the result %1 does not match the final scores</source>
        <translation>das Ergebnis %1 passt nicht zum Endstand</translation>
    </message>
    <message>
        <source>the file is larger than %1 KiB</source>
        <translation>die Datei ist größer als %1 KiB</translation>
    </message>
    <message>
        <source>the file is not text</source>
        <translation>die Datei ist kein Text</translation>
    </message>
</context>
<context>
    <name>XmppGameLink</name>
    <message>
        <source>Inviting %1 to a game over the internet...</source>
        <translation>%1 wird zu einer Partie über das Internet eingeladen...</translation>
    </message>
    <message>
        <source>Accepted the invitation from %1...</source>
        <translation>Die Einladung von %1 wurde angenommen...</translation>
    </message>
    <message>
        <source>Playing over the internet with %1.</source>
        <translation>Partie über das Internet mit %1.</translation>
    </message>
    <message>
        <source>%1 declined the invitation.</source>
        <translation>%1 hat die Einladung abgelehnt.</translation>
    </message>
    <message>
        <source>%1 did not answer the invitation: the friend is offline or not playing Vextal now.</source>
        <translation>%1 hat auf die Einladung nicht geantwortet: Ihr Freund ist offline oder spielt gerade nicht Vextal.</translation>
    </message>
    <message>
        <source>The invitation from %1 is no longer open.</source>
        <translation>Die Einladung von %1 gilt nicht mehr.</translation>
    </message>
    <message>
        <source>%1 joins your game from the lobby...</source>
        <translation>%1 tritt Ihrem Spiel aus der Lobby bei...</translation>
    </message>
    <message>
        <source>Joining the game of %1 in the lobby...</source>
        <translation>Trete dem Spiel von %1 in der Lobby bei...</translation>
    </message>
    <message>
        <source>The game of %1 in the lobby is no longer open.</source>
        <translation>Das Spiel von %1 in der Lobby ist nicht mehr offen.</translation>
    </message>
</context>
<context>
    <name>mMusic</name>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Could not play MIDI music! Check your sound settings.</source>
        <translation>MIDI-Musik konnte nicht abgespielt werden! Bitte die Soundeinstellungen prüfen.</translation>
    </message>
    <message>
        <source>Sound device not available. Sound will be disabled</source>
        <translation>Audiogerät nicht verfügbar. Der Ton wird abgeschaltet</translation>
    </message>
</context>
<context>
    <name>vextal::AboutBox</name>
    <message>
        <source>About Vextal</source>
        <translation>Über Vextal</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>Über Qt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>A game of nodes and links for two players.</source>
        <translation>Ein Spiel aus Knoten und Verbindungen für zwei Spieler.</translation>
    </message>
    <message>
        <source>Licensed under the GNU General Public License, version 3 or (at your option) any later version (GPL-3.0-or-later). It comes with no warranty.</source>
        <translation>Lizenziert unter der GNU General Public License, Version 3 oder (nach Ihrer Wahl) jeder späteren Version (GPL-3.0-or-later). Ohne jede Gewährleistung.</translation>
    </message>
    <message>
        <source>Copyright 2026 the Vextal developers: game, pictures, sounds and music. Built with Qt, SDL2_mixer and FluidSynth.</source>
        <translation>Copyright 2026 die Vextal-Entwickler: Spiel, Bilder, Klänge und Musik. Erstellt mit Qt, SDL2_mixer und FluidSynth.</translation>
    </message>
</context>
<context>
    <name>vextal::Front</name>
    <message>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Zeile %1</translation>
    </message>
</context>
<context>
    <name>vextal::InternetAccount</name>
    <message>
        <source>Online on the internet as %1.</source>
        <translation>Im Internet angemeldet als %1.</translation>
    </message>
    <message>
        <source>No keyring is available: the password is kept only until the program ends.</source>
        <translation>Kein Schlüsselbund verfügbar: Das Passwort wird nur bis zum Programmende behalten.</translation>
    </message>
    <message>
        <source>Logging in to the internet as %1...</source>
        <translation>Anmeldung im Internet als %1...</translation>
    </message>
    <message>
        <source>Logged out of the internet.</source>
        <translation>Vom Internet abgemeldet.</translation>
    </message>
    <message>
        <source>Internet login failed: the XMPP library (libstrophe) is not installed.</source>
        <translation>Internet-Anmeldung fehlgeschlagen: Die XMPP-Bibliothek (libstrophe) ist nicht installiert.</translation>
    </message>
    <message>
        <source>Internet login failed: &quot;%1&quot; is not an address like name@example.org.</source>
        <translation>Internet-Anmeldung fehlgeschlagen: „%1“ ist keine Adresse der Form name@example.org.</translation>
    </message>
    <message>
        <source>Internet login failed: no server was found for %1.</source>
        <translation>Internet-Anmeldung fehlgeschlagen: Für %1 wurde kein Server gefunden.</translation>
    </message>
    <message>
        <source>Internet login failed: the certificate of the server for %1 was refused, so the connection is not safe.</source>
        <translation>Internet-Anmeldung fehlgeschlagen: Das Zertifikat des Servers für %1 wurde abgelehnt, die Verbindung wäre nicht sicher.</translation>
    </message>
    <message>
        <source>Internet login failed: the address or the password is wrong.</source>
        <translation>Internet-Anmeldung fehlgeschlagen: Adresse oder Passwort ist falsch.</translation>
    </message>
    <message>
        <source>Internet connection lost.</source>
        <translation>Internetverbindung verloren.</translation>
    </message>
</context>
<context>
    <name>vextal::XmppPeerLink</name>
    <message>
        <source>Ignored a game message from another address.</source>
        <translation>Eine Spielnachricht von einer anderen Adresse wurde ignoriert.</translation>
    </message>
    <message>
        <source>Ignored a game message for another game session.</source>
        <translation>Eine Spielnachricht für eine andere Spielsitzung wurde ignoriert.</translation>
    </message>
    <message>
        <source>Ignored a game message that was delivered late.</source>
        <translation>Eine verspätet zugestellte Spielnachricht wurde ignoriert.</translation>
    </message>
    <message>
        <source>Ignored a broken game message.</source>
        <translation>Eine beschädigte Spielnachricht wurde ignoriert.</translation>
    </message>
    <message>
        <source>Refused a game message too large for the internet link.</source>
        <translation>Eine Spielnachricht, die für die Internetverbindung zu groß ist, wurde abgelehnt.</translation>
    </message>
    <message>
        <source>A message too large for the internet link was not sent.</source>
        <translation>Eine Nachricht, die für die Internetverbindung zu groß ist, wurde nicht gesendet.</translation>
    </message>
</context>
<context>
    <name>vextal::frmAccount</name>
    <message>
        <source>Internet account</source>
        <translation>Internetkonto</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>name@example.org</translation>
    </message>
    <message>
        <source>Log in automatically</source>
        <translation>Automatisch anmelden</translation>
    </message>
    <message>
        <source>Logs in at every start; the password is kept in the desktop&apos;s keyring.</source>
        <translation>Meldet bei jedem Start an; das Passwort wird im Schlüsselbund des Desktops aufbewahrt.</translation>
    </message>
    <message>
        <source>XMPP address:</source>
        <translation>XMPP-Adresse:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Log in</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Online as %1.</source>
        <translation>Angemeldet als %1.</translation>
    </message>
    <message>
        <source>Logging in...</source>
        <translation>Anmeldung läuft...</translation>
    </message>
    <message>
        <source>Offline.</source>
        <translation>Nicht angemeldet.</translation>
    </message>
    <message>
        <source>vextal on your server&apos;s chat service</source>
        <translation>vextal beim Chatdienst Ihres Servers</translation>
    </message>
    <message>
        <source>The chat room where games wait, like room@chat.example.org; players of other servers meet in a room they all name.</source>
        <translation>Der Chatraum, in dem Spiele warten, etwa raum@chat.example.org; Spieler anderer Server treffen sich in einem Raum, den alle angeben.</translation>
    </message>
    <message>
        <source>Others in the lobby see this name, never your address; empty: the part of your address before @.</source>
        <translation>Andere in der Lobby sehen diesen Namen, nie Ihre Adresse; leer: der Teil Ihrer Adresse vor dem @.</translation>
    </message>
    <message>
        <source>Lobby room:</source>
        <translation>Lobby-Raum:</translation>
    </message>
    <message>
        <source>Name in the lobby:</source>
        <translation>Name in der Lobby:</translation>
    </message>
    <message>
        <source>kept in the desktop&apos;s keyring</source>
        <translation>im Schlüsselbund des Desktops gespeichert</translation>
    </message>
    <message>
        <source>kept until the program ends</source>
        <translation>bis zum Programmende gemerkt</translation>
    </message>
</context>
<context>
    <name>vextal::frmChat</name>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
</context>
<context>
    <name>vextal::frmFindGames</name>
    <message>
        <source>Find games on this network</source>
        <translation>Spiele in diesem Netzwerk finden</translation>
    </message>
    <message>
        <source>%1 (stage %2)</source>
        <translation>%1 (Stufe %2)</translation>
    </message>
    <message>
        <source>%1, port %2</source>
        <translation>%1, Port %2</translation>
    </message>
    <message>
        <source>Game discovery is unavailable on this machine (%1). Use &quot;Connect to Server&quot; with the host&apos;s address.</source>
        <translation>Die Spielsuche ist auf diesem Rechner nicht verfügbar (%1). Verwenden Sie „Mit Server verbinden“ mit der Adresse des Hosts.</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Looking for games on this network... No game has been found yet. To play with a friend on the same local network, the friend chooses Network &gt; &quot;Host game&quot;; the game then appears here.</source>
        <translation>Suche nach Spielen in diesem Netzwerk... Noch wurde kein Spiel gefunden. Um mit einem Freund im selben lokalen Netzwerk zu spielen, wählt der Freund Netzwerk &gt; „Spiel hosten“; das Spiel erscheint dann hier.</translation>
    </message>
    <message>
        <source>Select a game and choose Join, or double-click it.</source>
        <translation>Wählen Sie ein Spiel und dann „Beitreten“, oder doppelklicken Sie darauf.</translation>
    </message>
    <message>
        <source>%1 (stage %2, on the internet)</source>
        <translation>%1 (Stufe %2, im Internet)</translation>
    </message>
    <message>
        <source>%1 (on the internet)</source>
        <translation>%1 (im Internet)</translation>
    </message>
    <message>
        <source>Waiting in the lobby %1</source>
        <translation>Wartet in der Lobby %1</translation>
    </message>
    <message>
        <source>Log in to the internet (Network &gt; &quot;Internet account&quot;) to see the games waiting in the lobby as well.</source>
        <translation>Melden Sie sich im Internet an (Netzwerk &gt; „Internetkonto“), um auch die Spiele zu sehen, die in der Lobby warten.</translation>
    </message>
    <message>
        <source>Your server offers no chat service for a lobby: name a lobby room in Network &gt; &quot;Internet account&quot;.</source>
        <translation>Ihr Server bietet keinen Chatdienst für eine Lobby: Geben Sie unter Netzwerk &gt; „Internetkonto“ einen Lobby-Raum an.</translation>
    </message>
    <message>
        <source>The lobby room shows every address to everyone, so it was left: name another room in Network &gt; &quot;Internet account&quot;.</source>
        <translation>Der Lobby-Raum zeigt allen jede Adresse, daher wurde er verlassen: Geben Sie unter Netzwerk &gt; „Internetkonto“ einen anderen Raum an.</translation>
    </message>
    <message>
        <source>The lobby room is not an address like room@chat.example.org.</source>
        <translation>Der Lobby-Raum ist keine Adresse wie raum@chat.example.org.</translation>
    </message>
    <message>
        <source>The lobby room cannot be entered.</source>
        <translation>Der Lobby-Raum kann nicht betreten werden.</translation>
    </message>
    <message>
        <source>In the lobby %1; hosting while online announces your game there.</source>
        <translation>In der Lobby %1; wer online ein Spiel hostet, kündigt es dort an.</translation>
    </message>
    <message>
        <source>Entering the lobby...</source>
        <translation>Betrete die Lobby...</translation>
    </message>
</context>
<context>
    <name>vextal::frmMain</name>
    <message>
        <source>Thanks for your support!%1<byte value="xd"/>
<byte value="xd"/>
- Forward it to your friends<byte value="xd"/>
- Sign the guestbook<byte value="xd"/>
- Donate via PayPal<byte value="xd"/>
<byte value="xd"/>
Murvo</source>
        <translation>Danke für Ihre Unterstützung!%1<byte value="xd"/>
<byte value="xd"/>
- Empfehlen Sie es Ihren Freunden<byte value="xd"/>
- Tragen Sie sich ins Gästebuch ein<byte value="xd"/>
- Spenden Sie über PayPal<byte value="xd"/>
<byte value="xd"/>
Murvo</translation>
    </message>
    <message>
        <source>Support Vextal</source>
        <translation>Vextal unterstützen</translation>
    </message>
    <message>
        <source>Player 1</source>
        <translation>Spieler 1</translation>
    </message>
    <message>
        <source>Player 2</source>
        <translation>Spieler 2</translation>
    </message>
    <message>
        <source>System ready.</source>
        <translation>System bereit.</translation>
    </message>
    <message>
        <source>Vextal Version [1]</source>
        <translation>Vextal Version [1]</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Klassisch</translation>
    </message>
    <message>
        <source>Good</source>
        <translation>Gut</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>Stark</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Meister</translation>
    </message>
    <message>
        <source>Perfect</source>
        <translation>Perfekt</translation>
    </message>
    <message>
        <source>Opening book %1 %2: the Perfect level plays without it.</source>
        <translation>Eröffnungsbuch %1 %2: Perfekt spielt ohne es.</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Enable CPU player</source>
        <translation>CPU-Spieler einschalten</translation>
    </message>
    <message>
        <source>Enable Demo player</source>
        <translation>Demo-Spieler einschalten</translation>
    </message>
    <message>
        <source>Sound effects</source>
        <translation>Soundeffekte</translation>
    </message>
    <message>
        <source>Background music</source>
        <translation>Hintergrundmusik</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>No music</source>
        <translation>Keine Musik</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>CPU strength</source>
        <translation>CPU-Spielstärke</translation>
    </message>
    <message>
        <source>Window size</source>
        <translation>Fenstergröße</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Stage [1]</source>
        <translation>Stufe [1]</translation>
    </message>
    <message>
        <source>Chat window</source>
        <translation>Chatfenster</translation>
    </message>
    <message>
        <source>Host game</source>
        <translation>Spiel hosten</translation>
    </message>
    <message>
        <source>Connect to Server</source>
        <translation>Mit Server verbinden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Synchronize</source>
        <translation>Synchronisieren</translation>
    </message>
    <message>
        <source>Vextal website</source>
        <translation>Vextal-Webseite</translation>
    </message>
    <message>
        <source>Guestbook</source>
        <translation>Gästebuch</translation>
    </message>
    <message>
        <source>Web update</source>
        <translation>Web-Update</translation>
    </message>
    <message>
        <source>Readme (english)</source>
        <translation>Liesmich (englisch)</translation>
    </message>
    <message>
        <source>Readme (deutsch)</source>
        <translation>Liesmich (deutsch)</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Large (150 %)</source>
        <translation>Groß (150 %)</translation>
    </message>
    <message>
        <source>Huge (200 %)</source>
        <translation>Riesig (200 %)</translation>
    </message>
    <message>
        <source>(c) 2026 Vextal developers</source>
        <translation>(c) 2026 Vextal-Entwickler</translation>
    </message>
    <message>
        <source>Settings cannot be saved to %1; changes last until the program ends.</source>
        <translation>Die Einstellungen können nicht in %1 gespeichert werden; Änderungen gelten bis zum Programmende.</translation>
    </message>
    <message>
        <source>Disconnect from the current network game first.</source>
        <translation>Trennen Sie zuerst die Verbindung zum laufenden Netzwerkspiel.</translation>
    </message>
    <message>
        <source>Undo move</source>
        <translation>Zug zurücknehmen</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>Mark last move</source>
        <translation>Letzten Zug markieren</translation>
    </message>
    <message>
        <source>Find games on this network…</source>
        <translation>Spiele in diesem Netzwerk finden…</translation>
    </message>
    <message>
        <source>This build of Vextal has no web site.</source>
        <translation>Diese Ausgabe von Vextal hat keine Webseite.</translation>
    </message>
    <message>
        <source>Move taken back.</source>
        <translation>Zug zurückgenommen.</translation>
    </message>
    <message>
        <source>New to Vextal? Help → How to play shows the rules; File → Enable CPU player lets you play against the computer.</source>
        <translation>Neu bei Vextal? Hilfe → Spielanleitung zeigt die Regeln; mit Datei → CPU-Spieler einschalten spielen Sie gegen den Computer.</translation>
    </message>
    <message>
        <source>How to play</source>
        <translation>Spielanleitung</translation>
    </message>
    <message>
        <source>About Vextal</source>
        <translation>Über Vextal</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Colour-blind safe</source>
        <translation>Für Farbenblinde</translation>
    </message>
    <message>
        <source>High contrast</source>
        <translation>Hoher Kontrast</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <source>Visual cues</source>
        <translation>Sichtbare Hinweise</translation>
    </message>
    <message>
        <source>Player colours</source>
        <translation>Spielerfarben</translation>
    </message>
    <message>
        <source>%1, to move</source>
        <translation>%1, am Zug</translation>
    </message>
    <message>
        <source>Effects volume</source>
        <translation>Lautstärke der Effekte</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Music volume</source>
        <translation>Lautstärke der Musik</translation>
    </message>
    <message>
        <source>Internet account…</source>
        <translation>Internetkonto…</translation>
    </message>
    <message>
        <source>Game record</source>
        <translation>Partieverlauf</translation>
    </message>
    <message>
        <source>Open game…</source>
        <translation>Partie öffnen…</translation>
    </message>
    <message>
        <source>Save game…</source>
        <translation>Partie speichern…</translation>
    </message>
    <message>
        <source>Saved games (*.%1)</source>
        <translation>Gespeicherte Partien (*.%1)</translation>
    </message>
    <message>
        <source>Earlier position (Esc: back to the game)</source>
        <translation>Frühere Stellung (Esc: zurück zum Spiel)</translation>
    </message>
    <message>
        <source>Save game</source>
        <translation>Partie speichern</translation>
    </message>
    <message>
        <source>There are no moves to save yet.</source>
        <translation>Es gibt noch keine Züge zum Speichern.</translation>
    </message>
    <message>
        <source>Game %1.%2</source>
        <translation>Partie %1.%2</translation>
    </message>
    <message>
        <source>Game.%1</source>
        <translation>Partie.%1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The game could not be saved to %1: %2</source>
        <translation>Die Partie konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Game saved to %1.</source>
        <translation>Partie in %1 gespeichert.</translation>
    </message>
    <message>
        <source>Open game</source>
        <translation>Partie öffnen</translation>
    </message>
    <message>
        <source>The game %1 cannot be opened: %2</source>
        <translation>Die Partie %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Game opened from %1.</source>
        <translation>Partie aus %1 geöffnet.</translation>
    </message>
    <message>
        <source>Log in to the internet first: Network → &quot;Internet account…&quot;.</source>
        <translation>Melden Sie sich zuerst im Internet an: Netzwerk → „Internetkonto…“.</translation>
    </message>
    <message>
        <source>Invite over the internet</source>
        <translation>Über das Internet einladen</translation>
    </message>
    <message>
        <source>Your friend&apos;s internet address (like name@example.org):</source>
        <translation>Die Internetadresse Ihres Freundes (wie name@example.org):</translation>
    </message>
    <message>
        <source>%1 cannot be invited: an address is like name@example.org, and not your own.</source>
        <translation>%1 kann nicht eingeladen werden: Eine Adresse sieht aus wie name@example.org und ist nicht Ihre eigene.</translation>
    </message>
    <message>
        <source>%1 invites you to a game of Vextal.</source>
        <translation>%1 lädt Sie zu einer Partie Vextal ein.</translation>
    </message>
    <message>
        <source>Declined the invitation from %1.</source>
        <translation>Die Einladung von %1 wurde abgelehnt.</translation>
    </message>
    <message>
        <source>The invitation from %1 could not be accepted: a game is under way or the invitation is gone.</source>
        <translation>Die Einladung von %1 konnte nicht angenommen werden: Eine Partie läuft bereits, oder die Einladung gilt nicht mehr.</translation>
    </message>
    <message>
        <source>Readme (%1)</source>
        <translation>Liesmich (%1)</translation>
    </message>
    <message>
        <source>Invite over the internet…</source>
        <translation>Über das Internet einladen…</translation>
    </message>
    <message>
        <source>Declined the invitation from %1: a game or another invitation is under way.</source>
        <translation>Die Einladung von %1 wurde abgelehnt: Eine Partie oder eine andere Einladung läuft bereits.</translation>
    </message>
    <message>
        <source>%1 withdrew the invitation.</source>
        <translation>%1 hat die Einladung zurückgezogen.</translation>
    </message>
    <message>
        <source>The game of %1 in the lobby is no longer open.</source>
        <translation>Das Spiel von %1 in der Lobby ist nicht mehr offen.</translation>
    </message>
</context>
<context>
    <name>vextal::frmRecord</name>
    <message>
        <source>Game record</source>
        <translation>Partieverlauf</translation>
    </message>
    <message>
        <source>Current game</source>
        <translation>Laufende Partie</translation>
    </message>
    <message>
        <source>Last finished game</source>
        <translation>Zuletzt beendete Partie</translation>
    </message>
    <message>
        <source>Opened game</source>
        <translation>Geöffnete Partie</translation>
    </message>
    <message>
        <source>The proven value for player 1 after each move; click to go there</source>
        <translation>Der bewiesene Wert für Spieler 1 nach jedem Zug; ein Klick springt dorthin</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Live game (Esc)</source>
        <translation>Laufendes Spiel (Esc)</translation>
    </message>
    <message>
        <source>Play from here</source>
        <translation>Von hier weiterspielen</translation>
    </message>
    <message>
        <source>Analyse game</source>
        <translation>Partie analysieren</translation>
    </message>
    <message>
        <source>Show refutation</source>
        <translation>Widerlegung zeigen</translation>
    </message>
    <message>
        <source>Try again from here</source>
        <translation>Von hier neu versuchen</translation>
    </message>
    <message>
        <source>Opened: %1</source>
        <translation>Geöffnet: %1</translation>
    </message>
    <message>
        <source>a win by %1</source>
        <translation>ein Sieg mit %1</translation>
    </message>
    <message>
        <source>a loss by %1</source>
        <translation>eine Niederlage mit %1</translation>
    </message>
    <message>
        <source>a draw</source>
        <translation>ein Unentschieden</translation>
    </message>
    <message>
        <source>not proven (between %1 and %2)</source>
        <translation>nicht bewiesen (zwischen %1 und %2)</translation>
    </message>
    <message>
        <source>not proven (at least %1)</source>
        <translation>nicht bewiesen (mindestens %1)</translation>
    </message>
    <message>
        <source>not proven (at most %1)</source>
        <translation>nicht bewiesen (höchstens %1)</translation>
    </message>
    <message>
        <source>not proven</source>
        <translation>nicht bewiesen</translation>
    </message>
    <message>
        <source>you</source>
        <translation>Sie</translation>
    </message>
    <message>
        <source>network partner</source>
        <translation>Netzwerkpartner</translation>
    </message>
    <message>
        <source>Player %1</source>
        <translation>Spieler %1</translation>
    </message>
    <message>
        <source>Player %1 (%2)</source>
        <translation>Spieler %1 (%2)</translation>
    </message>
    <message>
        <source>CPU Classic</source>
        <translation>CPU Klassisch</translation>
    </message>
    <message>
        <source>CPU Good</source>
        <translation>CPU Gut</translation>
    </message>
    <message>
        <source>CPU Strong</source>
        <translation>CPU Stark</translation>
    </message>
    <message>
        <source>CPU Master</source>
        <translation>CPU Meister</translation>
    </message>
    <message>
        <source>CPU Perfect</source>
        <translation>CPU Perfekt</translation>
    </message>
    <message>
        <source>expands %1</source>
        <translation>baut %1 aus</translation>
    </message>
    <message>
        <source>expands %1 and neutralises</source>
        <translation>baut %1 aus und neutralisiert</translation>
    </message>
    <message>
        <source>claims %1</source>
        <translation>besetzt %1</translation>
    </message>
    <message>
        <source>%1. %2 %3 (%4 : %5)</source>
        <translation>%1. %2 %3 (%4 : %5)</translation>
    </message>
    <message>
        <source>gave away %1</source>
        <translation>verschenkt %1</translation>
    </message>
    <message>
        <source>gave value away</source>
        <translation>verschenkt Wert</translation>
    </message>
    <message>
        <source>Start of the game</source>
        <translation>Beginn der Partie</translation>
    </message>
    <message>
        <source>The board shows the live game. Select a move to see its position.</source>
        <translation>Das Brett zeigt das laufende Spiel. Wählen Sie einen Zug, um seine Stellung zu sehen.</translation>
    </message>
    <message>
        <source>Viewing the start of the game. Escape: back to the live game.</source>
        <translation>Ansicht des Partiebeginns. Esc: zurück zum laufenden Spiel.</translation>
    </message>
    <message>
        <source>Viewing move %1 of %2. Escape: back to the live game.</source>
        <translation>Ansicht von Zug %1 von %2. Esc: zurück zum laufenden Spiel.</translation>
    </message>
    <message>
        <source>Analysing…</source>
        <translation>Analysiere…</translation>
    </message>
    <message>
        <source>Move %1 (player %2, %3)</source>
        <translation>Zug %1 (Spieler %2, %3)</translation>
    </message>
    <message>
        <source>%1 kept %2.</source>
        <translation>%1 hielt %2.</translation>
    </message>
    <message>
        <source>%1 turned %2 into %3.</source>
        <translation>%1: vorher %2, danach %3 – Wert verschenkt.</translation>
    </message>
    <message>
        <source>perhaps others (not all tested in time)</source>
        <translation>vielleicht weitere (nicht alle rechtzeitig geprüft)</translation>
    </message>
    <message>
        <source>No move was proven to keep it.</source>
        <translation>Für keinen Zug ist bewiesen, dass er ihn hält.</translation>
    </message>
    <message>
        <source>Moves that keep it: %1.</source>
        <translation>Züge, die ihn halten: %1.</translation>
    </message>
    <message>
        <source>The refutation: %1.</source>
        <translation>Die Widerlegung: %1.</translation>
    </message>
    <message>
        <source>%1: not proven. Before it: %2; after it: %3.</source>
        <translation>%1: nicht bewiesen. Davor: %2; danach: %3.</translation>
    </message>
    <message>
        <source>Cancel analysis</source>
        <translation>Analyse abbrechen</translation>
    </message>
    <message>
        <source>The game cannot go on from this position.</source>
        <translation>Von dieser Stellung aus kann nicht weitergespielt werden.</translation>
    </message>
    <message>
        <source>Analysis cancelled.</source>
        <translation>Analyse abgebrochen.</translation>
    </message>
    <message>
        <source>Analysis finished: %1 of %2 positions proven.</source>
        <translation>Analyse beendet: %1 von %2 Stellungen bewiesen.</translation>
    </message>
    <message>
        <source>Viewing the refutation of move %1: player %2 answers %3. Escape: back to the live game.</source>
        <translation>Ansicht der Widerlegung von Zug %1: Spieler %2 antwortet %3. Esc: zurück zum laufenden Spiel.</translation>
    </message>
    <message>
        <source>You play player 1 now: the colours were exchanged.</source>
        <translation>Sie spielen jetzt Spieler 1: Die Farben wurden getauscht.</translation>
    </message>
    <message>
        <source>Try again: find a move that keeps your win by %1. Perfect answers.</source>
        <translation>Noch einmal: Finden Sie einen Zug, der Ihren Sieg mit %1 hält. Perfekt antwortet.</translation>
    </message>
    <message>
        <source>Try again: find a move that keeps the draw. Perfect answers.</source>
        <translation>Noch einmal: Finden Sie einen Zug, der das Unentschieden hält. Perfekt antwortet.</translation>
    </message>
    <message>
        <source>Try again: this position is lost by %1 at best. Find a move that loses by no more than %1. Perfect answers.</source>
        <translation>Noch einmal: Diese Stellung ist bestenfalls mit %1 verloren. Finden Sie einen Zug, der mit nicht mehr als %1 verliert. Perfekt antwortet.</translation>
    </message>
    <message>
        <source>Found it: %1 keeps the win by %2.</source>
        <translation>Gefunden: %1 hält den Sieg mit %2.</translation>
    </message>
    <message>
        <source>Found it: %1 keeps the draw.</source>
        <translation>Gefunden: %1 hält das Unentschieden.</translation>
    </message>
    <message>
        <source>Found it: %1 loses by no more than %2, the best there is here.</source>
        <translation>Gefunden: %1 verliert mit nicht mehr als %2, das Beste, was hier geht.</translation>
    </message>
    <message>
        <source>%1 is not among the moves proven to keep the value (not all were tested in time). Take it back (Undo move) and try another.</source>
        <translation>%1 ist nicht unter den Zügen, die nachweislich den Wert halten (nicht alle wurden rechtzeitig geprüft). Nehmen Sie ihn zurück (Zug zurücknehmen) und versuchen Sie einen anderen.</translation>
    </message>
    <message>
        <source>%1 does not keep the win by %2. Take it back (Undo move) and try again.</source>
        <translation>%1 hält den Sieg mit %2 nicht. Nehmen Sie ihn zurück (Zug zurücknehmen) und versuchen Sie es noch einmal.</translation>
    </message>
    <message>
        <source>%1 does not keep the draw. Take it back (Undo move) and try again.</source>
        <translation>%1 hält das Unentschieden nicht. Nehmen Sie ihn zurück (Zug zurücknehmen) und versuchen Sie es noch einmal.</translation>
    </message>
    <message>
        <source>%1 loses by more than %2. Take it back (Undo move) and try again.</source>
        <translation>%1 verliert mit mehr als %2. Nehmen Sie ihn zurück (Zug zurücknehmen) und versuchen Sie es noch einmal.</translation>
    </message>
    <message>
        <source>a win by %1 to %2 (the margin not proven)</source>
        <translation>ein Sieg mit %1 bis %2 (der Abstand nicht bewiesen)</translation>
    </message>
    <message>
        <source>a win by at least %1 (the margin not proven)</source>
        <translation>ein Sieg mit mindestens %1 (der Abstand nicht bewiesen)</translation>
    </message>
    <message>
        <source>a loss by %1 to %2 (the margin not proven)</source>
        <translation>eine Niederlage mit %1 bis %2 (der Abstand nicht bewiesen)</translation>
    </message>
    <message>
        <source>a loss by at least %1 (the margin not proven)</source>
        <translation>eine Niederlage mit mindestens %1 (der Abstand nicht bewiesen)</translation>
    </message>
    <message>
        <source>a draw or a loss (not proven which)</source>
        <translation>ein Unentschieden oder eine Niederlage (nicht bewiesen, welches)</translation>
    </message>
    <message>
        <source>a draw or a win (not proven which)</source>
        <translation>ein Unentschieden oder ein Sieg (nicht bewiesen, welches)</translation>
    </message>
    <message>
        <source>lost the win</source>
        <translation>verspielte den Sieg</translation>
    </message>
    <message>
        <source>lost the draw</source>
        <translation>verspielte das Unentschieden</translation>
    </message>
    <message>
        <source>The moves that would have kept it are being tested.</source>
        <translation>Die Züge, die ihn gehalten hätten, werden geprüft.</translation>
    </message>
    <message>
        <source>Moves that keep a win by at least %1: %2.</source>
        <translation>Züge, die einen Sieg mit mindestens %1 halten: %2.</translation>
    </message>
    <message>
        <source>Moves that keep at least the draw: %1.</source>
        <translation>Züge, die mindestens das Unentschieden halten: %1.</translation>
    </message>
    <message>
        <source>Moves that lose by no more than %1: %2.</source>
        <translation>Züge, die mit höchstens %1 verlieren: %2.</translation>
    </message>
    <message>
        <source>%1 kept the win; the margin is not proven. Before it: %2; after it: %3.</source>
        <translation>%1 hielt den Sieg; der Abstand ist nicht bewiesen. Davor: %2; danach: %3.</translation>
    </message>
    <message>
        <source>%1 was played in a lost position. Before it: %2; after it: %3.</source>
        <translation>%1 wurde in einer verlorenen Stellung gespielt. Davor: %2; danach: %3.</translation>
    </message>
    <message>
        <source>Try again: find a move that keeps your win. Perfect answers.</source>
        <translation>Noch einmal: Finden Sie einen Zug, der Ihren Sieg hält. Perfekt antwortet.</translation>
    </message>
    <message>
        <source>Found it: %1 keeps the win.</source>
        <translation>Gefunden: %1 hält den Sieg.</translation>
    </message>
    <message>
        <source>%1 does not keep the win. Take it back (Undo move) and try again.</source>
        <translation>%1 hält den Sieg nicht. Nehmen Sie ihn zurück (Zug zurücknehmen) und versuchen Sie es noch einmal.</translation>
    </message>
</context>
</TS>
