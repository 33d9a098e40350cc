<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>BoardWords</name>
    <message>
        <source>yours</source>
        <translation>à vous</translation>
    </message>
    <message>
        <source>owned by %1</source>
        <translation>à %1</translation>
    </message>
    <message>
        <source>blocked for both</source>
        <translation>bloqué pour les deux</translation>
    </message>
    <message>
        <source>blocked for you</source>
        <translation>bloqué pour vous</translation>
    </message>
    <message>
        <source>blocked for %1</source>
        <translation>bloqué pour %1</translation>
    </message>
    <message>
        <source>Column %1, row %2: no node</source>
        <translation>Colonne %1, ligne %2 : pas de nœud</translation>
    </message>
    <message>
        <source>expanded</source>
        <translation>étendu</translation>
    </message>
    <message>
        <source>1 link</source>
        <translation>1 lien</translation>
    </message>
    <message>
        <source>%1 links</source>
        <translation>%1 liens</translation>
    </message>
    <message>
        <source>free</source>
        <translation>libre</translation>
    </message>
    <message>
        <source>played last</source>
        <translation>joué en dernier</translation>
    </message>
    <message>
        <source>Column %1, row %2: %3</source>
        <translation>Colonne %1, ligne %2 : %3</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 claims column %2, row %3.</source>
        <translation>%1 prend le nœud colonne %2, ligne %3.</translation>
    </message>
    <message>
        <source>%1 expands column %2, row %3.</source>
        <translation>%1 étend le nœud colonne %2, ligne %3.</translation>
    </message>
    <message>
        <source>%1 expands column %2, row %3 and neutralises nodes next to it.</source>
        <translation>%1 étend le nœud colonne %2, ligne %3 et neutralise des nœuds voisins.</translation>
    </message>
    <message>
        <source>Refused: column %1, row %2 is blocked for you.</source>
        <translation>Refusé : le nœud colonne %1, ligne %2 est bloqué pour vous.</translation>
    </message>
    <message>
        <source>Refused: column %1, row %2 belongs to your opponent.</source>
        <translation>Refusé : le nœud colonne %1, ligne %2 appartient à votre adversaire.</translation>
    </message>
    <message>
        <source>Refused: column %1, row %2 is already expanded.</source>
        <translation>Refusé : le nœud colonne %1, ligne %2 est déjà étendu.</translation>
    </message>
    <message>
        <source>Refused: column %1, row %2.</source>
        <translation>Refusé : colonne %1, ligne %2.</translation>
    </message>
    <message>
        <source>%1: %2 nodes, %3 links, %4 points</source>
        <translation>%1 : %2 nœuds, %3 liens, %4 points</translation>
    </message>
</context>
<context>
    <name>GameDiscovery</name>
    <message>
        <source>the Avahi client library is not installed</source>
        <translation>la bibliothèque cliente Avahi n&apos;est pas installée</translation>
    </message>
    <message>
        <source>the Avahi daemon is not running</source>
        <translation>le démon Avahi n&apos;est pas en marche</translation>
    </message>
    <message>
        <source>the connection to the Avahi daemon was lost</source>
        <translation>la connexion au démon Avahi a été perdue</translation>
    </message>
    <message>
        <source>the Avahi daemon refused access</source>
        <translation>le démon Avahi a refusé l&apos;accès</translation>
    </message>
    <message>
        <source>Avahi error %1: %2</source>
        <translation>Erreur Avahi %1 : %2</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Server</source>
        <translation>Serveur</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Player 1</source>
        <translation>Joueur 1</translation>
    </message>
    <message>
        <source>Player 2</source>
        <translation>Joueur 2</translation>
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
        <translation>Joueur</translation>
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
        <translation>Partie terminée</translation>
    </message>
    <message>
        <source>Game Over: Draw (%1/%2)</source>
        <translation>Partie terminée : match nul (%1/%2)</translation>
    </message>
    <message>
        <source>Draw - both have %1 points!</source>
        <translation>Match nul - chacun a %1 points !</translation>
    </message>
    <message>
        <source>%1 wins (%2/%3)</source>
        <translation>%1 gagne (%2/%3)</translation>
    </message>
    <message>
        <source>You win! %1 to %2 points.</source>
        <translation>Vous gagnez ! %1 à %2 points.</translation>
    </message>
    <message>
        <source>You lose... %1 to %2 points.</source>
        <translation>Vous perdez... %1 à %2 points.</translation>
    </message>
    <message>
        <source>%1 wins! %2 to %3 points.</source>
        <translation>%1 gagne ! %2 à %3 points.</translation>
    </message>
    <message>
        <source>New game started.</source>
        <translation>Nouvelle partie commencée.</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Accueil</translation>
    </message>
</context>
<context>
    <name>NetGame</name>
    <message>
        <source>Disconnected.</source>
        <translation>Déconnecté.</translation>
    </message>
    <message>
        <source>Disconnected (server disconnected).</source>
        <translation>Déconnecté (le serveur s&apos;est déconnecté).</translation>
    </message>
    <message>
        <source>Disconnected (client disconnected).</source>
        <translation>Déconnecté (le client s&apos;est déconnecté).</translation>
    </message>
    <message>
        <source>Disconnected (network error).</source>
        <translation>Déconnecté (erreur réseau).</translation>
    </message>
    <message>
        <source>Disconnected (unknown reason).</source>
        <translation>Déconnecté (raison inconnue).</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Please enter server IP: (eg. 192.168.0.2)</source>
        <translation>Veuillez saisir l&apos;adresse IP du serveur : (p. ex. 192.168.0.2)</translation>
    </message>
    <message>
        <source>You are currently connected. Close connection any continue?</source>
        <translation>Vous êtes connecté. Fermer la connexion et continuer ?</translation>
    </message>
    <message>
        <source>Game re-synchronized</source>
        <translation>Partie resynchronisée</translation>
    </message>
    <message>
        <source>Waiting for client, IP is %1</source>
        <translation>En attente d&apos;un client, l&apos;IP est %1</translation>
    </message>
    <message>
        <source>Connecting to %1 on %2...</source>
        <translation>Connexion à %1 sur le port %2...</translation>
    </message>
    <message>
        <source>Client %1 connected.</source>
        <translation>Client %1 connecté.</translation>
    </message>
    <message>
        <source>Connected to %1</source>
        <translation>Connecté à %1</translation>
    </message>
    <message>
        <source>Network error</source>
        <translation>Erreur réseau</translation>
    </message>
    <message>
        <source>Received broken data! The connection seems to be unstable.</source>
        <translation>Données endommagées reçues ! La connexion semble instable.</translation>
    </message>
    <message>
        <source>Game synchronized.</source>
        <translation>Partie synchronisée.</translation>
    </message>
    <message>
        <source>Boards out of step: the board was sent again.</source>
        <translation>Plateaux désaccordés : le plateau a été renvoyé.</translation>
    </message>
    <message>
        <source>Boards out of step: the host sends its board again.</source>
        <translation>Plateaux désaccordés : l&apos;hôte renvoie son plateau.</translation>
    </message>
    <message>
        <source>The peer&apos;s program cannot show some of these characters; it shows &quot;?&quot; instead.</source>
        <translation>Le programme du partenaire ne peut pas afficher certains de ces caractères ; il affiche « ? » à leur place.</translation>
    </message>
    <message>
        <source>Client %1 left before the game began; still waiting for a client.</source>
        <translation>Le client %1 est parti avant le début de la partie ; toujours en attente d&apos;un client.</translation>
    </message>
</context>
<context>
    <name>OpeningBook</name>
    <message>
        <source>damaged at line %1</source>
        <translation>endommagé à la ligne %1</translation>
    </message>
    <message>
        <source>not a book</source>
        <translation>n&apos;est pas un livre d&apos;ouvertures</translation>
    </message>
    <message>
        <source>cut short or damaged</source>
        <translation>est incomplet ou endommagé</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>ne peut pas être lu</translation>
    </message>
    <message>
        <source>too large</source>
        <translation>est trop grand</translation>
    </message>
</context>
<context>
    <name>Pages</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Could not open default browser!<byte value="xd"/>
<byte value="xd"/>
Local version of %1 also isn&apos;t available!</source>
        <translation>Impossible d&apos;ouvrir le navigateur par défaut !<byte value="xd"/>
<byte value="xd"/>
La version locale de %1 n&apos;est pas disponible non plus !</translation>
    </message>
    <message>
        <source>Vextal - Updates</source>
        <translation>Vextal - Mises à jour</translation>
    </message>
    <message>
        <source>Vextal - Donate</source>
        <translation>Vextal - Faire un don</translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>Accept</source>
        <translation>Accepter</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Décliner</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>not a saved game (it does not begin with &quot;(;&quot;)</source>
        <translation>ce n&apos;est pas une partie enregistrée (elle ne commence pas par « (; »)</translation>
    </message>
    <message>
        <source>variations are not supported</source>
        <translation>les variantes ne sont pas prises en charge</translation>
    </message>
    <message>
        <source>unexpected character</source>
        <translation>caractère inattendu</translation>
    </message>
    <message>
        <source>text after the end of the game</source>
        <translation>du texte après la fin de la partie</translation>
    </message>
    <message>
        <source>the game has no root node</source>
        <translation>la partie n&apos;a pas de nœud racine</translation>
    </message>
    <message>
        <source>unknown property</source>
        <translation>propriété inconnue</translation>
    </message>
    <message>
        <source>property %1 given twice</source>
        <translation>propriété %1 donnée deux fois</translation>
    </message>
    <message>
        <source>property %1 has no value</source>
        <translation>la propriété %1 n&apos;a pas de valeur</translation>
    </message>
    <message>
        <source>too many values</source>
        <translation>trop de valeurs</translation>
    </message>
    <message>
        <source>a value is too long</source>
        <translation>une valeur est trop longue</translation>
    </message>
    <message>
        <source>a value is not closed</source>
        <translation>une valeur n&apos;est pas fermée</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Ligne %1 : %2</translation>
    </message>
    <message>
        <source>property %1 takes one value</source>
        <translation>la propriété %1 prend une seule valeur</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a point of the board</source>
        <translation>« %1 » n&apos;est pas un point du plateau</translation>
    </message>
    <message>
        <source>a point is listed twice</source>
        <translation>un point est donné deux fois</translation>
    </message>
    <message>
        <source>unknown property %1</source>
        <translation>propriété inconnue %1</translation>
    </message>
    <message>
        <source>not a saved game of this program (GM[Vextal])</source>
        <translation>ce n&apos;est pas une partie enregistrée par ce programme (GM[Vextal])</translation>
    </message>
    <message>
        <source>only file format 4 is read (FF[4])</source>
        <translation>seul le format de fichier 4 est lu (FF[4])</translation>
    </message>
    <message>
        <source>only the character set UTF-8 is read</source>
        <translation>seul le jeu de caractères UTF-8 est lu</translation>
    </message>
    <message>
        <source>a player&apos;s name is too long</source>
        <translation>le nom d&apos;un joueur est trop long</translation>
    </message>
    <message>
        <source>the date is not a date (YYYY-MM-DD)</source>
        <translation>la date n&apos;est pas une date (AAAA-MM-JJ)</translation>
    </message>
    <message>
        <source>the first player must be B or W</source>
        <translation>le premier joueur doit être B ou W</translation>
    </message>
    <message>
        <source>the board size (SZ) is missing</source>
        <translation>la taille du plateau (SZ) manque</translation>
    </message>
    <message>
        <source>the board size must be columns:rows up to 8:8</source>
        <translation>la taille du plateau doit être colonnes:lignes, au plus 8:8</translation>
    </message>
    <message>
        <source>the stage (XS) must be 1 to 7</source>
        <translation>le niveau (XS) doit être de 1 à 7</translation>
    </message>
    <message>
        <source>the board is not the stage&apos;s layout</source>
        <translation>le plateau n&apos;a pas la disposition du niveau</translation>
    </message>
    <message>
        <source>a random stage needs its nodes (XN)</source>
        <translation>un niveau aléatoire a besoin de ses nœuds (XN)</translation>
    </message>
    <message>
        <source>an owner is set on a point without a free node</source>
        <translation>un propriétaire est donné à un point sans nœud libre</translation>
    </message>
    <message>
        <source>an expanded point has no owner</source>
        <translation>un point étendu n&apos;a pas de propriétaire</translation>
    </message>
    <message>
        <source>the start position could not come about by the rules</source>
        <translation>la position de départ ne peut pas résulter des règles</translation>
    </message>
    <message>
        <source>a move node holds one move</source>
        <translation>un nœud de coup contient un seul coup</translation>
    </message>
    <message>
        <source>unknown property %1 in a move</source>
        <translation>propriété inconnue %1 dans un coup</translation>
    </message>
    <message>
        <source>a node without a move</source>
        <translation>un nœud sans coup</translation>
    </message>
    <message>
        <source>too many moves</source>
        <translation>trop de coups</translation>
    </message>
    <message>
        <source>the move %1 is made out of turn</source>
        <translation>le coup %1 est joué hors de son tour</translation>
    </message>
    <message>
        <source>the move %1 is not legal here</source>
        <translation>le coup %1 n&apos;est pas permis ici</translation>
    </message>
    <message>
        <source>a result is given, but the game is not over</source>
        <translation>un résultat est donné, mais la partie n&apos;est pas finie</translation>
    </message>
    <message>
        <source>the result %1 does not match the final scores</source>
        <translation>le résultat %1 ne correspond pas aux scores finaux</translation>
    </message>
    <message>
        <source>the file is larger than %1 KiB</source>
        <translation>le fichier dépasse %1 Kio</translation>
    </message>
    <message>
        <source>the file is not text</source>
        <translation>le fichier n&apos;est pas du texte</translation>
    </message>
</context>
<context>
    <name>XmppGameLink</name>
    <message>
        <source>Inviting %1 to a game over the internet...</source>
        <translation>Invitation de %1 à une partie par internet...</translation>
    </message>
    <message>
        <source>Accepted the invitation from %1...</source>
        <translation>Invitation de %1 acceptée...</translation>
    </message>
    <message>
        <source>Playing over the internet with %1.</source>
        <translation>Partie par internet avec %1.</translation>
    </message>
    <message>
        <source>%1 declined the invitation.</source>
        <translation>%1 a décliné l&apos;invitation.</translation>
    </message>
    <message>
        <source>%1 did not answer the invitation: the friend is offline or not playing Vextal now.</source>
        <translation>%1 n&apos;a pas répondu à l&apos;invitation : votre ami est hors ligne ou ne joue pas à Vextal en ce moment.</translation>
    </message>
    <message>
        <source>The invitation from %1 is no longer open.</source>
        <translation>L&apos;invitation de %1 n&apos;est plus valable.</translation>
    </message>
    <message>
        <source>%1 joins your game from the lobby...</source>
        <translation>%1 rejoint votre partie depuis le salon...</translation>
    </message>
    <message>
        <source>Joining the game of %1 in the lobby...</source>
        <translation>Connexion à la partie de %1 dans le salon...</translation>
    </message>
    <message>
        <source>The game of %1 in the lobby is no longer open.</source>
        <translation>La partie de %1 dans le salon n&apos;est plus ouverte.</translation>
    </message>
</context>
<context>
    <name>mMusic</name>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>Could not play MIDI music! Check your sound settings.</source>
        <translation>Impossible de jouer la musique MIDI ! Vérifiez vos réglages audio.</translation>
    </message>
    <message>
        <source>Sound device not available. Sound will be disabled</source>
        <translation>Périphérique audio indisponible. Le son sera désactivé</translation>
    </message>
</context>
<context>
    <name>vextal::AboutBox</name>
    <message>
        <source>About Vextal</source>
        <translation>À propos de Vextal</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>À propos de Qt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>A game of nodes and links for two players.</source>
        <translation>Un jeu de nœuds et de liens pour deux joueurs.</translation>
    </message>
    <message>
        <source>Licensed under the GNU General Public License, version 3 or (at your option) any later version (GPL-3.0-or-later). It comes with no warranty.</source>
        <translation>Distribué sous la licence publique générale GNU, version 3 ou (à votre choix) toute version ultérieure (GPL-3.0-or-later). Il est fourni sans aucune garantie.</translation>
    </message>
    <message>
        <source>Copyright 2026 the Vextal developers: game, pictures, sounds and music. Built with Qt, SDL2_mixer and FluidSynth.</source>
        <translation>Copyright 2026 les développeurs de Vextal : jeu, images, sons et musique. Réalisé avec Qt, SDL2_mixer et FluidSynth.</translation>
    </message>
</context>
<context>
    <name>vextal::Front</name>
    <message>
        <source>Board</source>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Colonne %1</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Ligne %1</translation>
    </message>
</context>
<context>
    <name>vextal::InternetAccount</name>
    <message>
        <source>Online on the internet as %1.</source>
        <translation>En ligne sur internet en tant que %1.</translation>
    </message>
    <message>
        <source>No keyring is available: the password is kept only until the program ends.</source>
        <translation>Aucun trousseau n&apos;est disponible : le mot de passe n&apos;est gardé que jusqu&apos;à la fin du programme.</translation>
    </message>
    <message>
        <source>Logging in to the internet as %1...</source>
        <translation>Connexion à internet en tant que %1...</translation>
    </message>
    <message>
        <source>Logged out of the internet.</source>
        <translation>Déconnecté d&apos;internet.</translation>
    </message>
    <message>
        <source>Internet login failed: the XMPP library (libstrophe) is not installed.</source>
        <translation>Échec de la connexion internet : la bibliothèque XMPP (libstrophe) n&apos;est pas installée.</translation>
    </message>
    <message>
        <source>Internet login failed: &quot;%1&quot; is not an address like name@example.org.</source>
        <translation>Échec de la connexion internet : « %1 » n&apos;est pas une adresse comme nom@example.org.</translation>
    </message>
    <message>
        <source>Internet login failed: no server was found for %1.</source>
        <translation>Échec de la connexion internet : aucun serveur trouvé pour %1.</translation>
    </message>
    <message>
        <source>Internet login failed: the certificate of the server for %1 was refused, so the connection is not safe.</source>
        <translation>Échec de la connexion internet : le certificat du serveur de %1 a été refusé, la connexion n&apos;est donc pas sûre.</translation>
    </message>
    <message>
        <source>Internet login failed: the address or the password is wrong.</source>
        <translation>Échec de la connexion internet : l&apos;adresse ou le mot de passe est faux.</translation>
    </message>
    <message>
        <source>Internet connection lost.</source>
        <translation>Connexion internet perdue.</translation>
    </message>
</context>
<context>
    <name>vextal::XmppPeerLink</name>
    <message>
        <source>Ignored a game message from another address.</source>
        <translation>Message de jeu d&apos;une autre adresse ignoré.</translation>
    </message>
    <message>
        <source>Ignored a game message for another game session.</source>
        <translation>Message de jeu d&apos;une autre session ignoré.</translation>
    </message>
    <message>
        <source>Ignored a game message that was delivered late.</source>
        <translation>Message de jeu livré en retard ignoré.</translation>
    </message>
    <message>
        <source>Ignored a broken game message.</source>
        <translation>Message de jeu endommagé ignoré.</translation>
    </message>
    <message>
        <source>Refused a game message too large for the internet link.</source>
        <translation>Message de jeu trop grand pour la liaison internet refusé.</translation>
    </message>
    <message>
        <source>A message too large for the internet link was not sent.</source>
        <translation>Un message trop grand pour la liaison internet n&apos;a pas été envoyé.</translation>
    </message>
</context>
<context>
    <name>vextal::frmAccount</name>
    <message>
        <source>Internet account</source>
        <translation>Compte internet</translation>
    </message>
    <message>
        <source>name@example.org</source>
        <translation>nom@example.org</translation>
    </message>
    <message>
        <source>Log in automatically</source>
        <translation>Se connecter automatiquement</translation>
    </message>
    <message>
        <source>Logs in at every start; the password is kept in the desktop&apos;s keyring.</source>
        <translation>Se connecte à chaque démarrage ; le mot de passe est gardé dans le trousseau du bureau.</translation>
    </message>
    <message>
        <source>XMPP address:</source>
        <translation>Adresse XMPP :</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Log in</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>Online as %1.</source>
        <translation>En ligne en tant que %1.</translation>
    </message>
    <message>
        <source>Logging in...</source>
        <translation>Connexion...</translation>
    </message>
    <message>
        <source>Offline.</source>
        <translation>Hors ligne.</translation>
    </message>
    <message>
        <source>vextal on your server&apos;s chat service</source>
        <translation>vextal sur le service de discussion de votre serveur</translation>
    </message>
    <message>
        <source>The chat room where games wait, like room@chat.example.org; players of other servers meet in a room they all name.</source>
        <translation>Le salon de discussion où les parties attendent, comme salon@chat.example.org ; les joueurs d&apos;autres serveurs se retrouvent dans un salon qu&apos;ils indiquent tous.</translation>
    </message>
    <message>
        <source>Others in the lobby see this name, never your address; empty: the part of your address before @.</source>
        <translation>Les autres dans le salon voient ce nom, jamais votre adresse ; vide : la partie de votre adresse avant @.</translation>
    </message>
    <message>
        <source>Lobby room:</source>
        <translation>Salon :</translation>
    </message>
    <message>
        <source>Name in the lobby:</source>
        <translation>Nom dans le salon :</translation>
    </message>
    <message>
        <source>kept in the desktop&apos;s keyring</source>
        <translation>conservé dans le trousseau du bureau</translation>
    </message>
    <message>
        <source>kept until the program ends</source>
        <translation>conservé jusqu&apos;à la fin du programme</translation>
    </message>
</context>
<context>
    <name>vextal::frmChat</name>
    <message>
        <source>Chat</source>
        <translation>Discussion</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Non connecté</translation>
    </message>
</context>
<context>
    <name>vextal::frmFindGames</name>
    <message>
        <source>Find games on this network</source>
        <translation>Trouver des parties sur ce réseau</translation>
    </message>
    <message>
        <source>%1 (stage %2)</source>
        <translation>%1 (niveau %2)</translation>
    </message>
    <message>
        <source>%1, port %2</source>
        <translation>%1, port %2</translation>
    </message>
    <message>
        <source>Game discovery is unavailable on this machine (%1). Use &quot;Connect to Server&quot; with the host&apos;s address.</source>
        <translation>La recherche de parties n&apos;est pas disponible sur cette machine (%1). Utilisez « Se connecter au serveur » avec l&apos;adresse de l&apos;hôte.</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Looking for games on this network... No game has been found yet. To play with a friend on the same local network, the friend chooses Network &gt; &quot;Host game&quot;; the game then appears here.</source>
        <translation>Recherche de parties sur ce réseau... Aucune partie n&apos;a encore été trouvée. Pour jouer avec un ami sur le même réseau local, l&apos;ami choisit Réseau &gt; « Héberger une partie » ; la partie apparaît alors ici.</translation>
    </message>
    <message>
        <source>Select a game and choose Join, or double-click it.</source>
        <translation>Sélectionnez une partie et choisissez « Rejoindre », ou double-cliquez dessus.</translation>
    </message>
    <message>
        <source>%1 (stage %2, on the internet)</source>
        <translation>%1 (niveau %2, sur internet)</translation>
    </message>
    <message>
        <source>%1 (on the internet)</source>
        <translation>%1 (sur internet)</translation>
    </message>
    <message>
        <source>Waiting in the lobby %1</source>
        <translation>En attente dans le salon %1</translation>
    </message>
    <message>
        <source>Log in to the internet (Network &gt; &quot;Internet account&quot;) to see the games waiting in the lobby as well.</source>
        <translation>Connectez-vous à internet (Réseau &gt; « Compte internet ») pour voir aussi les parties qui attendent dans le salon.</translation>
    </message>
    <message>
        <source>Your server offers no chat service for a lobby: name a lobby room in Network &gt; &quot;Internet account&quot;.</source>
        <translation>Votre serveur n&apos;offre aucun service de discussion pour un salon : indiquez un salon dans Réseau &gt; « Compte internet ».</translation>
    </message>
    <message>
        <source>The lobby room shows every address to everyone, so it was left: name another room in Network &gt; &quot;Internet account&quot;.</source>
        <translation>Le salon montre toutes les adresses à tous, il a donc été quitté : indiquez un autre salon dans Réseau &gt; « Compte internet ».</translation>
    </message>
    <message>
        <source>The lobby room is not an address like room@chat.example.org.</source>
        <translation>Le salon n&apos;est pas une adresse comme salon@chat.example.org.</translation>
    </message>
    <message>
        <source>The lobby room cannot be entered.</source>
        <translation>Impossible d&apos;entrer dans le salon.</translation>
    </message>
    <message>
        <source>In the lobby %1; hosting while online announces your game there.</source>
        <translation>Dans le salon %1 ; héberger une partie en ligne l&apos;y annonce.</translation>
    </message>
    <message>
        <source>Entering the lobby...</source>
        <translation>Entrée dans le salon...</translation>
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
        <translation>Merci de votre soutien !%1<byte value="xd"/>
<byte value="xd"/>
- Faites-le connaître à vos amis<byte value="xd"/>
- Signez le livre d&apos;or<byte value="xd"/>
- Faites un don via PayPal<byte value="xd"/>
<byte value="xd"/>
Murvo</translation>
    </message>
    <message>
        <source>Support Vextal</source>
        <translation>Soutenir Vextal</translation>
    </message>
    <message>
        <source>Player 1</source>
        <translation>Joueur 1</translation>
    </message>
    <message>
        <source>Player 2</source>
        <translation>Joueur 2</translation>
    </message>
    <message>
        <source>System ready.</source>
        <translation>Système prêt.</translation>
    </message>
    <message>
        <source>Vextal Version [1]</source>
        <translation>Vextal version [1]</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Classique</translation>
    </message>
    <message>
        <source>Good</source>
        <translation>Bon</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>Fort</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Maître</translation>
    </message>
    <message>
        <source>Perfect</source>
        <translation>Parfait</translation>
    </message>
    <message>
        <source>Opening book %1 %2: the Perfect level plays without it.</source>
        <translation>Livre d&apos;ouvertures %1 %2 : le niveau Parfait joue sans lui.</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Enable CPU player</source>
        <translation>Activer le joueur CPU</translation>
    </message>
    <message>
        <source>Enable Demo player</source>
        <translation>Activer le joueur de démonstration</translation>
    </message>
    <message>
        <source>Sound effects</source>
        <translation>Effets sonores</translation>
    </message>
    <message>
        <source>Background music</source>
        <translation>Musique de fond</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>No music</source>
        <translation>Pas de musique</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>CPU strength</source>
        <translation>Force du CPU</translation>
    </message>
    <message>
        <source>Window size</source>
        <translation>Taille de la fenêtre</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Stage [1]</source>
        <translation>Niveau [1]</translation>
    </message>
    <message>
        <source>Chat window</source>
        <translation>Fenêtre de discussion</translation>
    </message>
    <message>
        <source>Host game</source>
        <translation>Héberger une partie</translation>
    </message>
    <message>
        <source>Connect to Server</source>
        <translation>Se connecter au serveur</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Déconnecter</translation>
    </message>
    <message>
        <source>Synchronize</source>
        <translation>Synchroniser</translation>
    </message>
    <message>
        <source>Vextal website</source>
        <translation>Site web de Vextal</translation>
    </message>
    <message>
        <source>Guestbook</source>
        <translation>Livre d&apos;or</translation>
    </message>
    <message>
        <source>Web update</source>
        <translation>Mise à jour web</translation>
    </message>
    <message>
        <source>Readme (english)</source>
        <translation>Lisez-moi (anglais)</translation>
    </message>
    <message>
        <source>Readme (deutsch)</source>
        <translation>Lisez-moi (allemand)</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Large (150 %)</source>
        <translation>Grande (150 %)</translation>
    </message>
    <message>
        <source>Huge (200 %)</source>
        <translation>Très grande (200 %)</translation>
    </message>
    <message>
        <source>(c) 2026 Vextal developers</source>
        <translation>(c) 2026 les auteurs de Vextal</translation>
    </message>
    <message>
        <source>Settings cannot be saved to %1; changes last until the program ends.</source>
        <translation>Les réglages ne peuvent pas être enregistrés dans %1 ; les changements valent jusqu&apos;à la fin du programme.</translation>
    </message>
    <message>
        <source>Disconnect from the current network game first.</source>
        <translation>Quittez d&apos;abord la partie réseau en cours.</translation>
    </message>
    <message>
        <source>Undo move</source>
        <translation>Annuler le coup</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Conseil</translation>
    </message>
    <message>
        <source>Mark last move</source>
        <translation>Marquer le dernier coup</translation>
    </message>
    <message>
        <source>Find games on this network…</source>
        <translation>Trouver des parties sur ce réseau…</translation>
    </message>
    <message>
        <source>This build of Vextal has no web site.</source>
        <translation>Cette version de Vextal n&apos;a pas de site web.</translation>
    </message>
    <message>
        <source>Move taken back.</source>
        <translation>Coup annulé.</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Originales</translation>
    </message>
    <message>
        <source>Colour-blind safe</source>
        <translation>Adaptées au daltonisme</translation>
    </message>
    <message>
        <source>High contrast</source>
        <translation>Contraste élevé</translation>
    </message>
    <message>
        <source>New to Vextal? Help → How to play shows the rules; File → Enable CPU player lets you play against the computer.</source>
        <translation>Nouveau sur Vextal ? Aide → Comment jouer présente les règles ; Fichier → Activer le joueur CPU vous permet de jouer contre l&apos;ordinateur.</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>Effects volume</source>
        <translation>Volume des effets</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Répéter</translation>
    </message>
    <message>
        <source>Music volume</source>
        <translation>Volume de la musique</translation>
    </message>
    <message>
        <source>Visual cues</source>
        <translation>Repères visuels</translation>
    </message>
    <message>
        <source>Player colours</source>
        <translation>Couleurs des joueurs</translation>
    </message>
    <message>
        <source>Internet account…</source>
        <translation>Compte internet…</translation>
    </message>
    <message>
        <source>How to play</source>
        <translation>Comment jouer</translation>
    </message>
    <message>
        <source>About Vextal</source>
        <translation>À propos de Vextal</translation>
    </message>
    <message>
        <source>%1, to move</source>
        <translation>%1, au trait</translation>
    </message>
    <message>
        <source>Readme (%1)</source>
        <translation>Lisez-moi (%1)</translation>
    </message>
    <message>
        <source>Log in to the internet first: Network → &quot;Internet account…&quot;.</source>
        <translation>Connectez-vous d&apos;abord à internet : Réseau → « Compte internet… ».</translation>
    </message>
    <message>
        <source>Invite over the internet</source>
        <translation>Inviter par internet</translation>
    </message>
    <message>
        <source>Your friend&apos;s internet address (like name@example.org):</source>
        <translation>L&apos;adresse internet de votre ami (comme nom@example.org) :</translation>
    </message>
    <message>
        <source>%1 cannot be invited: an address is like name@example.org, and not your own.</source>
        <translation>%1 ne peut pas être invité : une adresse ressemble à nom@example.org et n&apos;est pas la vôtre.</translation>
    </message>
    <message>
        <source>%1 invites you to a game of Vextal.</source>
        <translation>%1 vous invite à une partie de Vextal.</translation>
    </message>
    <message>
        <source>Declined the invitation from %1.</source>
        <translation>Invitation de %1 déclinée.</translation>
    </message>
    <message>
        <source>The invitation from %1 could not be accepted: a game is under way or the invitation is gone.</source>
        <translation>L&apos;invitation de %1 n&apos;a pas pu être acceptée : une partie est en cours ou l&apos;invitation n&apos;est plus valable.</translation>
    </message>
    <message>
        <source>Invite over the internet…</source>
        <translation>Inviter par internet…</translation>
    </message>
    <message>
        <source>Game record</source>
        <translation>Relevé de la partie</translation>
    </message>
    <message>
        <source>Open game…</source>
        <translation>Ouvrir une partie…</translation>
    </message>
    <message>
        <source>Save game…</source>
        <translation>Enregistrer la partie…</translation>
    </message>
    <message>
        <source>Saved games (*.%1)</source>
        <translation>Parties enregistrées (*.%1)</translation>
    </message>
    <message>
        <source>Earlier position (Esc: back to the game)</source>
        <translation>Position antérieure (Échap : retour à la partie)</translation>
    </message>
    <message>
        <source>Save game</source>
        <translation>Enregistrer la partie</translation>
    </message>
    <message>
        <source>There are no moves to save yet.</source>
        <translation>Il n&apos;y a pas encore de coups à enregistrer.</translation>
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
        <translation>Erreur</translation>
    </message>
    <message>
        <source>The game could not be saved to %1: %2</source>
        <translation>La partie n&apos;a pas pu être enregistrée dans %1 : %2</translation>
    </message>
    <message>
        <source>Game saved to %1.</source>
        <translation>Partie enregistrée dans %1.</translation>
    </message>
    <message>
        <source>Open game</source>
        <translation>Ouvrir une partie</translation>
    </message>
    <message>
        <source>The game %1 cannot be opened: %2</source>
        <translation>La partie %1 ne peut pas être ouverte : %2</translation>
    </message>
    <message>
        <source>Game opened from %1.</source>
        <translation>Partie ouverte depuis %1.</translation>
    </message>
    <message>
        <source>Declined the invitation from %1: a game or another invitation is under way.</source>
        <translation>Invitation de %1 déclinée : une partie ou une autre invitation est en cours.</translation>
    </message>
    <message>
        <source>%1 withdrew the invitation.</source>
        <translation>%1 a retiré l&apos;invitation.</translation>
    </message>
    <message>
        <source>The game of %1 in the lobby is no longer open.</source>
        <translation>La partie de %1 dans le salon n&apos;est plus ouverte.</translation>
    </message>
</context>
<context>
    <name>vextal::frmRecord</name>
    <message>
        <source>Game record</source>
        <translation>Relevé de la partie</translation>
    </message>
    <message>
        <source>Current game</source>
        <translation>Partie en cours</translation>
    </message>
    <message>
        <source>Last finished game</source>
        <translation>Dernière partie terminée</translation>
    </message>
    <message>
        <source>Opened game</source>
        <translation>Partie ouverte</translation>
    </message>
    <message>
        <source>The proven value for player 1 after each move; click to go there</source>
        <translation>La valeur prouvée pour le joueur 1 après chaque coup ; cliquez pour y aller</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Live game (Esc)</source>
        <translation>Partie en cours (Échap)</translation>
    </message>
    <message>
        <source>Play from here</source>
        <translation>Jouer à partir d&apos;ici</translation>
    </message>
    <message>
        <source>Analyse game</source>
        <translation>Analyser la partie</translation>
    </message>
    <message>
        <source>Show refutation</source>
        <translation>Montrer la réfutation</translation>
    </message>
    <message>
        <source>Try again from here</source>
        <translation>Réessayer à partir d&apos;ici</translation>
    </message>
    <message>
        <source>Opened: %1</source>
        <translation>Ouverte : %1</translation>
    </message>
    <message>
        <source>a win by %1</source>
        <translation>une victoire de %1</translation>
    </message>
    <message>
        <source>a loss by %1</source>
        <translation>une défaite de %1</translation>
    </message>
    <message>
        <source>a draw</source>
        <translation>un match nul</translation>
    </message>
    <message>
        <source>not proven (between %1 and %2)</source>
        <translation>non prouvé (entre %1 et %2)</translation>
    </message>
    <message>
        <source>not proven (at least %1)</source>
        <translation>non prouvé (au moins %1)</translation>
    </message>
    <message>
        <source>not proven (at most %1)</source>
        <translation>non prouvé (au plus %1)</translation>
    </message>
    <message>
        <source>not proven</source>
        <translation>non prouvé</translation>
    </message>
    <message>
        <source>you</source>
        <translation>vous</translation>
    </message>
    <message>
        <source>network partner</source>
        <translation>partenaire réseau</translation>
    </message>
    <message>
        <source>Player %1</source>
        <translation>Joueur %1</translation>
    </message>
    <message>
        <source>Player %1 (%2)</source>
        <translation>Joueur %1 (%2)</translation>
    </message>
    <message>
        <source>CPU Classic</source>
        <translation>CPU Classique</translation>
    </message>
    <message>
        <source>CPU Good</source>
        <translation>CPU Bon</translation>
    </message>
    <message>
        <source>CPU Strong</source>
        <translation>CPU Fort</translation>
    </message>
    <message>
        <source>CPU Master</source>
        <translation>CPU Maître</translation>
    </message>
    <message>
        <source>CPU Perfect</source>
        <translation>CPU Parfait</translation>
    </message>
    <message>
        <source>expands %1</source>
        <translation>étend %1</translation>
    </message>
    <message>
        <source>expands %1 and neutralises</source>
        <translation>étend %1 et neutralise</translation>
    </message>
    <message>
        <source>claims %1</source>
        <translation>prend %1</translation>
    </message>
    <message>
        <source>%1. %2 %3 (%4 : %5)</source>
        <translation>%1. %2 %3 (%4 : %5)</translation>
    </message>
    <message>
        <source>gave away %1</source>
        <translation>a cédé %1</translation>
    </message>
    <message>
        <source>gave value away</source>
        <translation>a cédé de la valeur</translation>
    </message>
    <message>
        <source>Start of the game</source>
        <translation>Début de la partie</translation>
    </message>
    <message>
        <source>The board shows the live game. Select a move to see its position.</source>
        <translation>Le plateau montre la partie en cours. Choisissez un coup pour voir sa position.</translation>
    </message>
    <message>
        <source>Viewing the start of the game. Escape: back to the live game.</source>
        <translation>Vue du début de la partie. Échap : retour à la partie en cours.</translation>
    </message>
    <message>
        <source>Viewing move %1 of %2. Escape: back to the live game.</source>
        <translation>Vue du coup %1 sur %2. Échap : retour à la partie en cours.</translation>
    </message>
    <message>
        <source>Analysing…</source>
        <translation>Analyse…</translation>
    </message>
    <message>
        <source>Move %1 (player %2, %3)</source>
        <translation>Coup %1 (joueur %2, %3)</translation>
    </message>
    <message>
        <source>%1 kept %2.</source>
        <translation>%1 a gardé %2.</translation>
    </message>
    <message>
        <source>%1 turned %2 into %3.</source>
        <translation>%1 a changé %2 en %3.</translation>
    </message>
    <message>
        <source>perhaps others (not all tested in time)</source>
        <translation>peut-être d&apos;autres (pas tous vérifiés à temps)</translation>
    </message>
    <message>
        <source>No move was proven to keep it.</source>
        <translation>Aucun coup n&apos;a été prouvé pour la garder.</translation>
    </message>
    <message>
        <source>Moves that keep it: %1.</source>
        <translation>Coups qui la gardent : %1.</translation>
    </message>
    <message>
        <source>The refutation: %1.</source>
        <translation>La réfutation : %1.</translation>
    </message>
    <message>
        <source>%1: not proven. Before it: %2; after it: %3.</source>
        <translation>%1 : non prouvé. Avant : %2 ; après : %3.</translation>
    </message>
    <message>
        <source>Cancel analysis</source>
        <translation>Annuler l&apos;analyse</translation>
    </message>
    <message>
        <source>The game cannot go on from this position.</source>
        <translation>La partie ne peut pas continuer à partir de cette position.</translation>
    </message>
    <message>
        <source>Analysis cancelled.</source>
        <translation>Analyse annulée.</translation>
    </message>
    <message>
        <source>Analysis finished: %1 of %2 positions proven.</source>
        <translation>Analyse terminée : %1 positions sur %2 prouvées.</translation>
    </message>
    <message>
        <source>Viewing the refutation of move %1: player %2 answers %3. Escape: back to the live game.</source>
        <translation>Vue de la réfutation du coup %1 : le joueur %2 répond %3. Échap : retour à la partie en cours.</translation>
    </message>
    <message>
        <source>You play player 1 now: the colours were exchanged.</source>
        <translation>Vous jouez maintenant le joueur 1 : les couleurs ont été échangées.</translation>
    </message>
    <message>
        <source>Try again: find a move that keeps your win by %1. Perfect answers.</source>
        <translation>Réessayez : trouvez un coup qui garde votre victoire de %1. Parfait répond.</translation>
    </message>
    <message>
        <source>Try again: find a move that keeps the draw. Perfect answers.</source>
        <translation>Réessayez : trouvez un coup qui garde le match nul. Parfait répond.</translation>
    </message>
    <message>
        <source>Try again: this position is lost by %1 at best. Find a move that loses by no more than %1. Perfect answers.</source>
        <translation>Réessayez : cette position est perdue de %1 au mieux. Trouvez un coup qui ne perd pas de plus de %1. Parfait répond.</translation>
    </message>
    <message>
        <source>Found it: %1 keeps the win by %2.</source>
        <translation>Trouvé : %1 garde la victoire de %2.</translation>
    </message>
    <message>
        <source>Found it: %1 keeps the draw.</source>
        <translation>Trouvé : %1 garde le match nul.</translation>
    </message>
    <message>
        <source>Found it: %1 loses by no more than %2, the best there is here.</source>
        <translation>Trouvé : %1 ne perd pas de plus de %2, le mieux possible ici.</translation>
    </message>
    <message>
        <source>%1 is not among the moves proven to keep the value (not all were tested in time). Take it back (Undo move) and try another.</source>
        <translation>%1 n&apos;est pas parmi les coups prouvés pour garder la valeur (tous n&apos;ont pas été vérifiés à temps). Reprenez-le (Annuler le coup) et essayez-en un autre.</translation>
    </message>
    <message>
        <source>%1 does not keep the win by %2. Take it back (Undo move) and try again.</source>
        <translation>%1 ne garde pas la victoire de %2. Reprenez-le (Annuler le coup) et réessayez.</translation>
    </message>
    <message>
        <source>%1 does not keep the draw. Take it back (Undo move) and try again.</source>
        <translation>%1 ne garde pas le match nul. Reprenez-le (Annuler le coup) et réessayez.</translation>
    </message>
    <message>
        <source>%1 loses by more than %2. Take it back (Undo move) and try again.</source>
        <translation>%1 perd de plus de %2. Reprenez-le (Annuler le coup) et réessayez.</translation>
    </message>
    <message>
        <source>a win by %1 to %2 (the margin not proven)</source>
        <translation>une victoire de %1 à %2 (l&apos;écart non prouvé)</translation>
    </message>
    <message>
        <source>a win by at least %1 (the margin not proven)</source>
        <translation>une victoire d&apos;au moins %1 (l&apos;écart non prouvé)</translation>
    </message>
    <message>
        <source>a loss by %1 to %2 (the margin not proven)</source>
        <translation>une défaite de %1 à %2 (l&apos;écart non prouvé)</translation>
    </message>
    <message>
        <source>a loss by at least %1 (the margin not proven)</source>
        <translation>une défaite d&apos;au moins %1 (l&apos;écart non prouvé)</translation>
    </message>
    <message>
        <source>a draw or a loss (not proven which)</source>
        <translation>un match nul ou une défaite (non prouvé lequel)</translation>
    </message>
    <message>
        <source>a draw or a win (not proven which)</source>
        <translation>un match nul ou une victoire (non prouvé lequel)</translation>
    </message>
    <message>
        <source>lost the win</source>
        <translation>a perdu la victoire</translation>
    </message>
    <message>
        <source>lost the draw</source>
        <translation>a perdu le match nul</translation>
    </message>
    <message>
        <source>The moves that would have kept it are being tested.</source>
        <translation>Les coups qui l&apos;auraient gardée sont en cours de test.</translation>
    </message>
    <message>
        <source>Moves that keep a win by at least %1: %2.</source>
        <translation>Coups qui gardent une victoire d&apos;au moins %1 : %2.</translation>
    </message>
    <message>
        <source>Moves that keep at least the draw: %1.</source>
        <translation>Coups qui gardent au moins le match nul : %1.</translation>
    </message>
    <message>
        <source>Moves that lose by no more than %1: %2.</source>
        <translation>Coups qui ne perdent pas de plus de %1 : %2.</translation>
    </message>
    <message>
        <source>%1 kept the win; the margin is not proven. Before it: %2; after it: %3.</source>
        <translation>%1 a gardé la victoire ; l&apos;écart n&apos;est pas prouvé. Avant : %2 ; après : %3.</translation>
    </message>
    <message>
        <source>%1 was played in a lost position. Before it: %2; after it: %3.</source>
        <translation>%1 a été joué dans une position perdue. Avant : %2 ; après : %3.</translation>
    </message>
    <message>
        <source>Try again: find a move that keeps your win. Perfect answers.</source>
        <translation>Réessayez : trouvez un coup qui garde votre victoire. Parfait répond.</translation>
    </message>
    <message>
        <source>Found it: %1 keeps the win.</source>
        <translation>Trouvé : %1 garde la victoire.</translation>
    </message>
    <message>
        <source>%1 does not keep the win. Take it back (Undo move) and try again.</source>
        <translation>%1 ne garde pas la victoire. Reprenez-le (Annuler le coup) et réessayez.</translation>
    </message>
</context>
</TS>
