#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <tuple>

#include "net/AvahiLibrary.h"
#include "net/AvahiQtPoll.h"
#include "net/GameAnnouncement.h"

namespace vextal {

// The Avahi side of game discovery. It lives on a thread of its own, because the client library
// answers most calls by a blocking round trip to the daemon over D-Bus; GameDiscovery hands it
// commands and takes its results by queued signals. It loads the library and connects to the
// daemon at the first command; without either it reports Unavailable and does nothing more
// until the next command.
class DiscoveryWorker final : public QObject {
  Q_OBJECT

 public:
  // Services kept while browsing: a network full of them cannot make the list grow without end.
  static constexpr int kMaxRecords = 64;

  DiscoveryWorker() = default;
  // Withdraws the announcement and frees every Avahi object; runs on the worker's thread.
  ~DiscoveryWorker() override;

  // Announces a game hosted on port, or changes the port of the one announced.
  void Publish(quint16 port, int stage);
  // The stage shown in the announcement from now on.
  void SetStage(int stage);
  void Withdraw();
  void StartBrowsing();
  void StopBrowsing();

 signals:
  // A game was found or one of its details changed (it is named by FoundGame::name).
  void Found(const vextal::FoundGame& game);
  void Gone(const QString& name);
  void Unavailable(const QString& reason);
  // The announcement is on the network under this name.
  void Published(const QString& name);

 private:
  // One service as one interface and protocol see it.
  struct RecordKey {
    int interface;
    int protocol;
    QByteArray name;
    QByteArray domain;
    bool operator<(const RecordKey& other) const {
      return std::tie(interface, protocol, name, domain) <
             std::tie(other.interface, other.protocol, other.name, other.domain);
    }
  };
  struct Record {
    AvahiServiceResolver* resolver = nullptr;
    bool resolved = false;
    FoundGame game;
  };

  bool EnsureClient();
  void DropClient(const QString& reason);
  QString Reason(int error) const;
  void ClientStateChanged(AvahiClient* client, AvahiClientState state);
  void AddService();
  void GroupStateChanged(AvahiEntryGroup* group, AvahiEntryGroupState state);
  void RenameAfterCollision();
  void CreateBrowser();
  void BrowseEvent(AvahiIfIndex interface, AvahiProtocol protocol, AvahiBrowserEvent event,
                   const char* name, const char* type, const char* domain);
  void ResolveEvent(AvahiServiceResolver* resolver, const RecordKey& key, AvahiResolverEvent event,
                    const AvahiAddress* address, uint16_t port, AvahiStringList* txt);
  void ReportGame(const QByteArray& name);
  void FreeBrowsing();
  AvahiStringList* TxtList() const;

  static void OnClient(AvahiClient* client, AvahiClientState state, void* self);
  static void OnGroup(AvahiEntryGroup* group, AvahiEntryGroupState state, void* self);
  static void OnBrowse(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol,
                       AvahiBrowserEvent event, const char* name, const char* type,
                       const char* domain, AvahiLookupResultFlags, void* self);
  static void OnResolve(AvahiServiceResolver* resolver, AvahiIfIndex interface,
                        AvahiProtocol protocol, AvahiResolverEvent event, const char* name,
                        const char* type, const char* domain, const char* hostName,
                        const AvahiAddress* address, uint16_t port, AvahiStringList* txt,
                        AvahiLookupResultFlags, void* self);

  const AvahiLibrary* avahi_ = nullptr;
  AvahiQtPoll poll_;
  AvahiClient* client_ = nullptr;
  bool running_ = false;  // the client is connected to a running daemon

  bool publishing_ = false;  // a game is to be announced
  quint16 port_ = 0;
  int stage_ = 0;
  QByteArray serviceName_;
  AvahiEntryGroup* group_ = nullptr;

  bool browsing_ = false;
  AvahiServiceBrowser* browser_ = nullptr;
  std::map<RecordKey, Record> records_;
};

}  // namespace vextal
