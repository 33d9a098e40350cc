#include "net/DiscoveryWorker.h"

#include <net/if.h>

#include <QCoreApplication>
#include <algorithm>

namespace vextal {

namespace {

// A misbehaving responder cannot make one text record cost more than this.
constexpr int kMaxTxtEntries = 32;
// Renames tried in a row when the name is taken, before the announcement is given up.
constexpr int kMaxRenames = 16;

}  // namespace

DiscoveryWorker::~DiscoveryWorker() {
  FreeBrowsing();
  Withdraw();
  if (client_ != nullptr) {
    avahi_->avahi_client_free(client_);
  }
}

// ---------------------------------------------------------------------------------------------
// The client

// The reason shown to the user for an Avahi error: the library's own text is English only.
QString DiscoveryWorker::Reason(int error) const {
  switch (error) {
    case AVAHI_ERR_NO_DAEMON:
      return QCoreApplication::translate("GameDiscovery", "the Avahi daemon is not running");
    case AVAHI_ERR_DISCONNECTED:
      return QCoreApplication::translate("GameDiscovery",
                                         "the connection to the Avahi daemon was lost");
    case AVAHI_ERR_ACCESS_DENIED:
      return QCoreApplication::translate("GameDiscovery", "the Avahi daemon refused access");
    default:
      break;
  }
  return QCoreApplication::translate("GameDiscovery", "Avahi error %1: %2")
      .arg(error)
      .arg(QString::fromUtf8(avahi_->avahi_strerror(error)));
}

bool DiscoveryWorker::EnsureClient() {
  if (client_ != nullptr) {
    return true;
  }
  if (avahi_ == nullptr) {
    avahi_ = AvahiLibrary::Load();
  }
  if (avahi_ == nullptr) {
    emit Unavailable(
        QCoreApplication::translate("GameDiscovery", "the Avahi client library is not installed"));
    return false;
  }
  int error = 0;
  // Without the daemon this fails at once rather than waiting for one to appear. The state
  // callback may already run inside this call.
  AvahiClient* client =
      avahi_->avahi_client_new(poll_.Api(), AvahiClientFlags(0), OnClient, this, &error);
  if (client == nullptr) {
    client_ = nullptr;
    running_ = false;
    emit Unavailable(Reason(error));
    return false;
  }
  client_ = client;
  return true;
}

void DiscoveryWorker::DropClient(const QString& reason) {
  QList<QByteArray> shown;
  for (const auto& [key, record] : records_) {
    if (record.resolved) {
      shown.append(key.name);
    }
  }
  FreeBrowsing();
  if (group_ != nullptr) {
    avahi_->avahi_entry_group_free(group_);
    group_ = nullptr;
  }
  if (client_ != nullptr) {
    avahi_->avahi_client_free(client_);
    client_ = nullptr;
  }
  running_ = false;
  for (const QByteArray& name : shown) {
    emit Gone(ReceivedServiceName(name.constData()));
  }
  emit Unavailable(reason);
}

void DiscoveryWorker::ClientStateChanged(AvahiClient* client, AvahiClientState state) {
  client_ = client;
  switch (state) {
    case AVAHI_CLIENT_S_RUNNING:
      running_ = true;
      if (publishing_) {
        AddService();
      }
      if (browsing_ && browser_ == nullptr) {
        CreateBrowser();
      }
      break;
    case AVAHI_CLIENT_S_COLLISION:
    case AVAHI_CLIENT_S_REGISTERING:
      // The host name is being (re)registered: the service goes back on once it runs again.
      running_ = false;
      if (group_ != nullptr) {
        avahi_->avahi_entry_group_reset(group_);
      }
      break;
    case AVAHI_CLIENT_FAILURE: {
      // The daemon went away. The client is not freed inside its own callback.
      running_ = false;
      const QString reason = Reason(avahi_->avahi_client_errno(client));
      QMetaObject::invokeMethod(
          this, [this, reason] { DropClient(reason); }, Qt::QueuedConnection);
      break;
    }
    case AVAHI_CLIENT_CONNECTING:
      running_ = false;
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Announcing

void DiscoveryWorker::Publish(quint16 port, int stage) {
  publishing_ = true;
  port_ = port;
  stage_ = stage;
  if (EnsureClient() && running_) {
    AddService();
  }
}

void DiscoveryWorker::SetStage(int stage) {
  stage_ = stage;
  if (group_ == nullptr || !running_ || serviceName_.isEmpty()) {
    return;
  }
  AvahiStringList* txt = TxtList();
  avahi_->avahi_entry_group_update_service_txt_strlst(
      group_, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, AvahiPublishFlags(0), serviceName_.constData(),
      kServiceType, nullptr, txt);
  avahi_->avahi_string_list_free(txt);
}

void DiscoveryWorker::Withdraw() {
  publishing_ = false;
  serviceName_.clear();
  if (group_ != nullptr) {
    // Freeing the group takes the service off the network (the daemon says goodbye for it).
    avahi_->avahi_entry_group_free(group_);
    group_ = nullptr;
  }
}

AvahiStringList* DiscoveryWorker::TxtList() const {
  AvahiStringList* txt = nullptr;
  for (const QByteArray& entry : TxtRecordFor(stage_)) {
    txt = avahi_->avahi_string_list_add(txt, entry.constData());
  }
  return txt;
}

void DiscoveryWorker::AddService() {
  if (group_ == nullptr) {
    group_ = avahi_->avahi_entry_group_new(client_, OnGroup, this);
    if (group_ == nullptr) {
      return;  // hosting goes on unannounced, as on a machine without the daemon
    }
  } else {
    avahi_->avahi_entry_group_reset(group_);
  }
  if (serviceName_.isEmpty()) {
    serviceName_ = ServiceNameFor(QString::fromUtf8(avahi_->avahi_client_get_host_name(client_)));
  }
  AvahiStringList* txt = TxtList();
  int result = AVAHI_ERR_COLLISION;
  for (int tries = 0; result == AVAHI_ERR_COLLISION && tries < kMaxRenames; ++tries) {
    result = avahi_->avahi_entry_group_add_service_strlst(
        group_, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, AvahiPublishFlags(0), serviceName_.constData(),
        kServiceType, nullptr, nullptr, port_, txt);
    if (result == AVAHI_ERR_COLLISION) {
      RenameAfterCollision();
    }
  }
  avahi_->avahi_string_list_free(txt);
  if (result >= 0) {
    avahi_->avahi_entry_group_commit(group_);
  }
}

void DiscoveryWorker::RenameAfterCollision() {
  // "Vextal on host" becomes "Vextal on host #2", then "#3", as DNS-SD asks.
  if (char* next = avahi_->avahi_alternative_service_name(serviceName_.constData())) {
    serviceName_ = next;
    avahi_->avahi_free(next);
  }
}

void DiscoveryWorker::GroupStateChanged(AvahiEntryGroup*, AvahiEntryGroupState state) {
  if (state == AVAHI_ENTRY_GROUP_ESTABLISHED) {
    emit Published(QString::fromUtf8(serviceName_));
  } else if (state == AVAHI_ENTRY_GROUP_COLLISION) {
    // Another host took the name meanwhile.
    RenameAfterCollision();
    AddService();
  }
}

// ---------------------------------------------------------------------------------------------
// Browsing

void DiscoveryWorker::StartBrowsing() {
  browsing_ = true;
  if (EnsureClient() && running_ && browser_ == nullptr) {
    CreateBrowser();
  }
}

void DiscoveryWorker::StopBrowsing() {
  browsing_ = false;
  FreeBrowsing();
}

void DiscoveryWorker::FreeBrowsing() {
  for (auto& [key, record] : records_) {
    if (record.resolver != nullptr) {
      avahi_->avahi_service_resolver_free(record.resolver);
    }
  }
  records_.clear();
  if (browser_ != nullptr) {
    avahi_->avahi_service_browser_free(browser_);
    browser_ = nullptr;
  }
}

void DiscoveryWorker::CreateBrowser() {
  browser_ =
      avahi_->avahi_service_browser_new(client_, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, kServiceType,
                                        nullptr, AvahiLookupFlags(0), OnBrowse, this);
  if (browser_ == nullptr) {
    emit Unavailable(Reason(avahi_->avahi_client_errno(client_)));
  }
}

void DiscoveryWorker::BrowseEvent(AvahiIfIndex interface, AvahiProtocol protocol,
                                  AvahiBrowserEvent event, const char* name, const char* type,
                                  const char* domain) {
  if (event == AVAHI_BROWSER_FAILURE) {
    // Not inside the browser's own callback.
    const QString reason = Reason(avahi_->avahi_client_errno(client_));
    QMetaObject::invokeMethod(
        this, [this, reason] { DropClient(reason); }, Qt::QueuedConnection);
    return;
  }
  if ((event != AVAHI_BROWSER_NEW && event != AVAHI_BROWSER_REMOVE) || name == nullptr) {
    return;
  }
  const RecordKey key{interface, protocol, QByteArray(name), QByteArray(domain ? domain : "")};
  const auto found = records_.find(key);
  if (event == AVAHI_BROWSER_REMOVE) {
    if (found != records_.end()) {
      if (found->second.resolver != nullptr) {
        avahi_->avahi_service_resolver_free(found->second.resolver);
      }
      records_.erase(found);
      ReportGame(key.name);
    }
    return;
  }
  if (found != records_.end() || int(records_.size()) >= kMaxRecords) {
    return;
  }
  // The address is looked up in the family the service was seen in, so IPv4 and IPv6 each give
  // their own.
  AvahiServiceResolver* resolver =
      avahi_->avahi_service_resolver_new(client_, interface, protocol, name, type, domain, protocol,
                                         AvahiLookupFlags(0), OnResolve, this);
  if (resolver != nullptr) {
    records_[key].resolver = resolver;
  }
}

void DiscoveryWorker::ResolveEvent(AvahiServiceResolver* resolver, const RecordKey& key,
                                   AvahiResolverEvent event, const AvahiAddress* address,
                                   uint16_t port, AvahiStringList* txt) {
  const auto found = records_.find(key);
  if (found == records_.end() || found->second.resolver != resolver) {
    return;
  }
  Record& record = found->second;
  if (event != AVAHI_RESOLVER_FOUND || address == nullptr || port == 0) {
    // Freeing a resolver inside its callback is what the library expects on failure.
    avahi_->avahi_service_resolver_free(resolver);
    record.resolver = nullptr;
    return;
  }
  char text[AVAHI_ADDRESS_STR_MAX] = {};
  avahi_->avahi_address_snprint(text, sizeof text, address);
  FoundGame game;
  game.name = ReceivedServiceName(key.name.constData());
  game.address = QString::fromLatin1(text);
  game.port = port;
  if (address->proto == AVAHI_PROTO_INET6 && IsLinkLocalAddress(game.address)) {
    // A link-local address means nothing without the interface it was seen on.
    char interfaceName[IF_NAMESIZE] = {};
    if (if_indextoname(unsigned(key.interface), interfaceName) != nullptr) {
      game.address += QLatin1Char('%') + QString::fromLatin1(interfaceName);
    }
  }
  QList<QByteArray> entries;
  for (AvahiStringList* entry = txt; entry != nullptr && entries.size() < kMaxTxtEntries;
       entry = avahi_->avahi_string_list_get_next(entry)) {
    entries.append(
        QByteArray(reinterpret_cast<const char*>(avahi_->avahi_string_list_get_text(entry)),
                   int(std::min<size_t>(avahi_->avahi_string_list_get_size(entry), 255))));
  }
  ReadTxtRecord(entries, game);
  record.resolved = true;
  record.game = game;
  ReportGame(key.name);
}

void DiscoveryWorker::ReportGame(const QByteArray& name) {
  const Record* best = nullptr;
  for (const auto& [key, record] : records_) {
    if (key.name == name && record.resolved &&
        (best == nullptr ||
         AddressPreference(record.game.address) < AddressPreference(best->game.address))) {
      best = &record;
    }
  }
  if (best != nullptr) {
    emit Found(best->game);
  } else {
    emit Gone(ReceivedServiceName(name.constData()));
  }
}

// ---------------------------------------------------------------------------------------------
// Callbacks from the library

void DiscoveryWorker::OnClient(AvahiClient* client, AvahiClientState state, void* self) {
  static_cast<DiscoveryWorker*>(self)->ClientStateChanged(client, state);
}

void DiscoveryWorker::OnGroup(AvahiEntryGroup* group, AvahiEntryGroupState state, void* self) {
  static_cast<DiscoveryWorker*>(self)->GroupStateChanged(group, state);
}

void DiscoveryWorker::OnBrowse(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol,
                               AvahiBrowserEvent event, const char* name, const char* type,
                               const char* domain, AvahiLookupResultFlags, void* self) {
  static_cast<DiscoveryWorker*>(self)->BrowseEvent(interface, protocol, event, name, type, domain);
}

void DiscoveryWorker::OnResolve(AvahiServiceResolver* resolver, AvahiIfIndex interface,
                                AvahiProtocol protocol, AvahiResolverEvent event, const char* name,
                                const char*, const char* domain, const char*,
                                const AvahiAddress* address, uint16_t port, AvahiStringList* txt,
                                AvahiLookupResultFlags, void* self) {
  const RecordKey key{interface, protocol, QByteArray(name ? name : ""),
                      QByteArray(domain ? domain : "")};
  static_cast<DiscoveryWorker*>(self)->ResolveEvent(resolver, key, event, address, port, txt);
}

}  // namespace vextal
