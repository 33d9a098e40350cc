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
        <source>Takes effect at the next start</source>
        <translation>Prend effet au prochain démarrage</translation>
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
        <source>Declined the invitation from %1: a game or another invitation is under way.</source>
        <translation>Invitation de %1 déclinée : une partie ou une autre invitation est en cours.</translation>
    </message>
</context>
</TS>
