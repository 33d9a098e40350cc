#include "net/xmpp/XmppClient.h"

#include <QSocketNotifier>

#include <utility>

#include "net/xmpp/StropheLibrary.h"

namespace vextal {
namespace {

// The default client port where the domain publishes no SRV record.
constexpr quint16 kClientPort = 5222;
// How often libstrophe is given a turn while a session lives: its writes, its timeouts and the
// TLS handshake go on here; reads are woken by the socket notifier at once.
constexpr int kPumpMs = 50;
// Deeper elements are dropped: no stanza of ours nests beyond a few levels.
constexpr int kMaxDepth = 16;
constexpr int kMaxChildren = 256;

const QString kPingNs = QStringLiteral("urn:xmpp:ping");
const QString kStanzasNs = QStringLiteral("urn:ietf:params:xml:ns:xmpp-stanzas");

// libstrophe's callbacks carry no pointer of ours everywhere, so its connections are mapped back.
std::map<xmpp_conn_t*, XmppClient*>& Clients() {
  static std::map<xmpp_conn_t*, XmppClient*> clients;
  return clients;
}

// The client whose turn of libstrophe's loop is running.
XmppClient* gRunningClient = nullptr;

XmppClient* ClientOf(xmpp_conn_t* conn) {
  const auto found = Clients().find(conn);
  return found == Clients().end() ? nullptr : found->second;
}

QByteArray Utf8(const QString& text) {
  return text.toUtf8();
}

}  // namespace

struct StropheCallbacks {
  static void Connection(xmpp_conn_t* conn, xmpp_conn_event_t event, int error,
                         xmpp_stream_error_t* streamError, void*) {
    if (XmppClient* client = ClientOf(conn)) {
      client->OnConnectionEvent(int(event), error, streamError != nullptr);
    }
  }
  static int Stanza(xmpp_conn_t* conn, xmpp_stanza_t* stanza, void*) {
    if (XmppClient* client = ClientOf(conn)) {
      client->OnStanza(stanza);
    }
    return 1;
  }
  static int CertificateFailed(const xmpp_tlscert_t* cert, const char* const errormsg) {
    // The handshake runs inside one client's turn of libstrophe's loop.
    (void)cert;
    if (XmppClient* client = gRunningClient) {
      client->certificateRefused_ = true;
      client->certificateError_ = QString::fromUtf8(errormsg != nullptr ? errormsg : "");
    }
    return 0;  // never trusted
  }
  static int SocketCreated(xmpp_conn_t* conn, void* sock) {
    XmppClient* client = ClientOf(conn);
    if (client == nullptr) {
      return 0;
    }
    client->WatchSocket(*static_cast<int*>(sock));
    return client->lib_->xmpp_sockopt_cb_keepalive(conn, sock);
  }
};

XmppClient::XmppClient(QObject* parent) : QObject(parent) {
  pumpTimer_.setInterval(kPumpMs);
  connect(&pumpTimer_, &QTimer::timeout, this, &XmppClient::Pump);
}

XmppClient::~XmppClient() {
  if (lookupId_ >= 0) {
    net_->AbortHostLookup(lookupId_);
  }
  for (auto& [id, pending] : pending_) {
    pending.Reply = nullptr;
  }
  ReleaseConnection();
}

QString XmppClient::BareAddress(const QString& address) {
  return address.section(QLatin1Char('/'), 0, 0);
}

QString XmppClient::DomainOf(const QString& address) {
  const QString bare = BareAddress(address);
  const qsizetype at = bare.indexOf(QLatin1Char('@'));
  return at < 0 ? bare : bare.mid(at + 1);
}

void XmppClient::LogIn(const Account& account) {
  if (state_ != State::Offline) {
    ReleaseConnection();
    state_ = State::Offline;
  }
  account_ = account;
  accountAddress_ = BareAddress(account.Address.trimmed());
  boundAddress_.clear();
  certificateError_.clear();
  certificateRefused_ = false;
  secured_ = false;
  lib_ = StropheLibrary::Load();
  if (lib_ == nullptr) {
    Finish(Failure::LibraryMissing);
    return;
  }
  const qsizetype at = accountAddress_.indexOf(QLatin1Char('@'));
  const QString domain = DomainOf(accountAddress_);
  if (at <= 0 || domain.isEmpty() || domain.contains(QLatin1Char('@')) ||
      accountAddress_.contains(QLatin1Char(' '))) {
    Finish(Failure::BadAddress);
    return;
  }
  net_ = Network();
  if (net_ == nullptr) {
    Finish(Failure::ServerNotFound);
    return;
  }
  state_ = State::Connecting;
  candidates_.clear();
  delete lookup_;
  lookup_ = net_->LookUpService(
      QStringLiteral("_xmpp-client._tcp.") + domain, this,
      [this](const QList<NetworkLibrary::ServiceTarget>& targets) { ServerLookedUp(targets); });
}

void XmppClient::ServerLookedUp(const QList<NetworkLibrary::ServiceTarget>& targets) {
  if (lookup_ == nullptr || state_ != State::Connecting) {
    return;
  }
  // "." means the service is not offered.
  for (const NetworkLibrary::ServiceTarget& record : targets) {
    const QString target = record.Host.chopped(record.Host.endsWith('.') ? 1 : 0);
    if (!target.isEmpty() && record.Port != 0) {
      candidates_.append({target, record.Port});
    }
  }
  lookup_->deleteLater();
  lookup_ = nullptr;
  candidates_.append({DomainOf(accountAddress_), kClientPort});
  TryNextCandidate();
}

void XmppClient::TryNextCandidate() {
  if (candidates_.isEmpty()) {
    Finish(Failure::ServerNotFound);
    return;
  }
  const Candidate next = candidates_.takeFirst();
  lookupId_ = net_->LookUpHost(next.Host, this, [this, next](const QString& address) {
    lookupId_ = -1;
    if (state_ != State::Connecting) {
      return;
    }
    if (address.isEmpty()) {
      TryNextCandidate();
      return;
    }
    Connect(address, next.Port);
  });
}

void XmppClient::Connect(const QString& address, quint16 port) {
  ReleaseConnection();
  ctx_ = lib_->xmpp_ctx_new(nullptr, nullptr);  // no logger: nothing of the session is logged
  conn_ = lib_->xmpp_conn_new(ctx_);
  if (ctx_ == nullptr || conn_ == nullptr) {
    Finish(Failure::ConnectionLost);
    return;
  }
  Clients()[conn_] = this;
  lib_->xmpp_conn_set_flags(conn_, XMPP_CONN_FLAG_MANDATORY_TLS);
  lib_->xmpp_conn_set_jid(conn_, Utf8(accountAddress_).constData());
  lib_->xmpp_conn_set_pass(conn_, Utf8(account_.Password).constData());
  if (!account_.CaFile.isEmpty()) {
    lib_->xmpp_conn_set_cafile(conn_, account_.CaFile.toLocal8Bit().constData());
  }
  lib_->xmpp_conn_set_certfail_handler(conn_, &StropheCallbacks::CertificateFailed);
  lib_->xmpp_conn_set_sockopt_callback(conn_, &StropheCallbacks::SocketCreated);
  lib_->xmpp_handler_add(conn_, &StropheCallbacks::Stanza, nullptr, nullptr, nullptr, nullptr);
  // The address is numeric, so libstrophe resolves nothing itself and never blocks on DNS.
  if (lib_->xmpp_connect_client(conn_, Utf8(address).constData(), port,
                                &StropheCallbacks::Connection, nullptr) != XMPP_EOK) {
    ReleaseConnection();
    TryNextCandidate();
    return;
  }
  pumpTimer_.start();
  SchedulePump();
}

void XmppClient::WatchSocket(int fd) {
  delete notifier_;
  notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &XmppClient::Pump);
}

void XmppClient::SchedulePump() {
  if (!pumpScheduled_) {
    pumpScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
      pumpScheduled_ = false;
      Pump();
    });
  }
}

void XmppClient::Pump() {
  if (ctx_ == nullptr || running_ > 0 || suspended_) {
    return;
  }
  ++running_;
  XmppClient* const outer = std::exchange(gRunningClient, this);
  lib_->xmpp_run_once(ctx_, 0);
  gRunningClient = outer;
  --running_;
  if (conn_ != nullptr && lib_->xmpp_conn_is_secured(conn_)) {
    secured_ = true;
  }
}

void XmppClient::OnConnectionEvent(int event, int error, bool streamError) {
  if (conn_ != nullptr && lib_->xmpp_conn_is_secured(conn_)) {
    secured_ = true;
  }
  if (event == XMPP_CONN_CONNECT) {
    const bool first = state_ != State::Online;
    state_ = State::Online;
    boundAddress_ = QString::fromUtf8(lib_->xmpp_conn_get_bound_jid(conn_));
    XmlElement presence(QStringLiteral("presence"));
    presence.Add(XmlElement(QStringLiteral("priority"))).Text = QStringLiteral("-1");
    for (const XmlElement& extra : presenceExtras_) {
      presence.Add(extra);
    }
    Send(presence);
    if (first) {
      emit LoggedIn();
    }
    return;
  }
  if (event != XMPP_CONN_DISCONNECT && event != XMPP_CONN_FAIL) {
    return;
  }
  // libstrophe has closed the socket: no notifier may wait on its number.
  delete notifier_;
  notifier_ = nullptr;
  Failure failure = Failure::ConnectionLost;
  if (state_ == State::Online) {
    failure = Failure::ConnectionLost;
  } else if (certificateRefused_) {
    failure = Failure::CertificateRefused;
  } else if (!secured_ && error != 0) {
    // No stream to this server at all: the next one the domain names, if any.
    QMetaObject::invokeMethod(
        this,
        [this] {
          ReleaseConnection();
          if (state_ == State::Connecting) {
            TryNextCandidate();
          }
        },
        Qt::QueuedConnection);
    return;
  } else if (secured_ && error == 0 && !streamError) {
    failure = Failure::WrongPassword;
  }
  QMetaObject::invokeMethod(
      this, [this, failure] { Finish(failure); }, Qt::QueuedConnection);
}

void XmppClient::Finish(Failure failure) {
  const bool wasOffline = state_ == State::Offline && conn_ == nullptr;
  ReleaseConnection();
  state_ = State::Offline;
  boundAddress_.clear();
  candidates_.clear();
  auto pending = std::exchange(pending_, {});
  for (auto& [id, waiting] : pending) {
    if (waiting.Reply) {
      waiting.Reply(XmlElement());
    }
  }
  if (!wasOffline || failure != Failure::None) {
    emit LoggedOut(failure);
  }
}

void XmppClient::LogOut() {
  if (lookupId_ >= 0) {
    net_->AbortHostLookup(lookupId_);
    lookupId_ = -1;
  }
  if (state_ == State::Offline && conn_ == nullptr) {
    return;
  }
  if (conn_ != nullptr && state_ == State::Online) {
    // Say goodbye so the server tells the peers at once; the socket closes with it.
    Send(XmlElement(QStringLiteral("presence"))
             .Set(QStringLiteral("type"), QStringLiteral("unavailable")));
    ++running_;
    lib_->xmpp_run_once(ctx_, 0);
    --running_;
  }
  Finish(Failure::None);
}

void XmppClient::ReleaseConnection() {
  delete notifier_;
  notifier_ = nullptr;
  pumpTimer_.stop();
  if (conn_ != nullptr) {
    Clients().erase(conn_);
    // Released outside libstrophe's own loop only: a handler that ends the session defers it.
    if (running_ > 0) {
      xmpp_conn_t* conn = conn_;
      xmpp_ctx_t* ctx = ctx_;
      const StropheLibrary* lib = lib_;
      lib->xmpp_disconnect(conn);
      QTimer::singleShot(0, [lib, conn, ctx] {
        lib->xmpp_conn_release(conn);
        lib->xmpp_ctx_free(ctx);
      });
      conn_ = nullptr;
      ctx_ = nullptr;
      return;
    }
    lib_->xmpp_conn_release(conn_);
    conn_ = nullptr;
  }
  if (ctx_ != nullptr) {
    lib_->xmpp_ctx_free(ctx_);
    ctx_ = nullptr;
  }
}

bool XmppClient::Send(const XmlElement& stanza) {
  if (conn_ == nullptr || state_ != State::Online) {
    return false;
  }
  xmpp_stanza_t* out = ToStanza(stanza);
  lib_->xmpp_send(conn_, out);
  lib_->xmpp_stanza_release(out);
  SchedulePump();
  return true;
}

bool XmppClient::SendIq(XmlElement iq, IqReply reply) {
  if (state_ != State::Online || int(pending_.size()) >= kMaxPendingIqs) {
    return false;
  }
  const QString id = QStringLiteral("vx%1").arg(nextIqId_++);
  iq.Set(QStringLiteral("id"), id);
  const QString to = iq.Attribute(QStringLiteral("to"));
  pending_[id] = Pending{to, std::move(reply)};
  if (!Send(iq)) {
    pending_.erase(id);
    return false;
  }
  return true;
}

int XmppClient::AddHandler(StanzaHandler handler) {
  const int id = nextHandlerId_++;
  handlers_[id] = std::move(handler);
  return id;
}

void XmppClient::RemoveHandler(int id) {
  handlers_.erase(id);
}

void XmppClient::OnStanza(xmpp_stanza_t* stanza) {
  const XmlElement element = FromStanza(stanza, QStringLiteral("jabber:client"), 0);
  const QString type = element.Attribute(QStringLiteral("type"));
  if (element.Name == QLatin1String("iq") &&
      (type == QLatin1String("result") || type == QLatin1String("error"))) {
    const auto found = pending_.find(element.Attribute(QStringLiteral("id")));
    if (found == pending_.end()) {
      return;
    }
    // An answer counts from the address asked only; one to a request of the account's own
    // server may come without a sender or from the bare account.
    const QString from = element.Attribute(QStringLiteral("from"));
    const QString to = found->second.To;
    const bool fromAsked =
        from == to || (to.isEmpty() && (from.isEmpty() || from == accountAddress_ ||
                                        from == DomainOf(accountAddress_)));
    if (!fromAsked) {
      return;
    }
    IqReply reply = std::move(found->second.Reply);
    pending_.erase(found);
    if (reply) {
      reply(element);
    }
    return;
  }
  bool taken = false;
  if (element.Name == QLatin1String("iq") && type == QLatin1String("get") &&
      element.Child(QStringLiteral("ping"), kPingNs) != nullptr) {
    XmlElement pong(QStringLiteral("iq"));
    pong.Set(QStringLiteral("type"), QStringLiteral("result"))
        .Set(QStringLiteral("id"), element.Attribute(QStringLiteral("id")));
    if (element.HasAttribute(QStringLiteral("from"))) {
      pong.Set(QStringLiteral("to"), element.Attribute(QStringLiteral("from")));
    }
    Send(pong);
    return;
  }
  std::vector<int> ids;
  for (const auto& [id, handler] : handlers_) {
    ids.push_back(id);
  }
  for (const int id : ids) {
    const auto found = handlers_.find(id);
    if (found == handlers_.end()) {
      continue;
    }
    const StanzaHandler handler = found->second;  // it may remove itself
    taken = handler(element) || taken;
    if (state_ != State::Online) {
      return;
    }
  }
  if (!taken && element.Name == QLatin1String("iq") &&
      (type == QLatin1String("get") || type == QLatin1String("set"))) {
    AnswerError(element, "service-unavailable");
  }
}

void XmppClient::AnswerError(const XmlElement& iq, const char* condition) {
  XmlElement error(QStringLiteral("iq"));
  error.Set(QStringLiteral("type"), QStringLiteral("error"))
      .Set(QStringLiteral("id"), iq.Attribute(QStringLiteral("id")));
  if (iq.HasAttribute(QStringLiteral("from"))) {
    error.Set(QStringLiteral("to"), iq.Attribute(QStringLiteral("from")));
  }
  XmlElement& body = error.Add(XmlElement(QStringLiteral("error")));
  body.Set(QStringLiteral("type"), QStringLiteral("cancel"));
  body.Add(XmlElement(QString::fromLatin1(condition), kStanzasNs));
  Send(error);
}

xmpp_stanza_t* XmppClient::ToStanza(const XmlElement& element) const {
  xmpp_stanza_t* stanza = lib_->xmpp_stanza_new(ctx_);
  lib_->xmpp_stanza_set_name(stanza, Utf8(element.Name).constData());
  if (!element.Namespace.isEmpty()) {
    lib_->xmpp_stanza_set_attribute(stanza, "xmlns", Utf8(element.Namespace).constData());
  }
  for (const auto& [key, value] : element.Attributes) {
    lib_->xmpp_stanza_set_attribute(stanza, Utf8(key).constData(), Utf8(value).constData());
  }
  if (!element.Text.isEmpty()) {
    xmpp_stanza_t* text = lib_->xmpp_stanza_new(ctx_);
    const QByteArray bytes = Utf8(element.Text);
    lib_->xmpp_stanza_set_text_with_size(text, bytes.constData(), std::size_t(bytes.size()));
    lib_->xmpp_stanza_add_child_ex(stanza, text, 0);
  }
  for (const XmlElement& child : element.Children) {
    lib_->xmpp_stanza_add_child_ex(stanza, ToStanza(child), 0);
  }
  return stanza;
}

XmlElement XmppClient::FromStanza(xmpp_stanza_t* stanza, const QString& parentNs, int depth) const {
  XmlElement element;
  element.Name = QString::fromUtf8(lib_->xmpp_stanza_get_name(stanza));
  element.Namespace = parentNs;
  const int count = lib_->xmpp_stanza_get_attribute_count(stanza);
  if (count > 0 && count <= 64) {
    std::vector<const char*> attributes(std::size_t(count) * 2);
    const int got = lib_->xmpp_stanza_get_attributes(stanza, attributes.data(), count * 2);
    for (int i = 0; i + 1 < got; i += 2) {
      const QString key = QString::fromUtf8(attributes[std::size_t(i)]);
      const QString value = QString::fromUtf8(attributes[std::size_t(i) + 1]);
      if (key == QLatin1String("xmlns")) {
        element.Namespace = value;
      } else {
        element.Attributes.append({key, value});
      }
    }
  }
  int children = 0;
  for (xmpp_stanza_t* child = lib_->xmpp_stanza_get_children(stanza); child != nullptr;
       child = lib_->xmpp_stanza_get_next(child)) {
    if (lib_->xmpp_stanza_is_text(child)) {
      element.Text += QString::fromUtf8(lib_->xmpp_stanza_get_text_ptr(child));
    } else if (depth < kMaxDepth && ++children <= kMaxChildren) {
      element.Children.append(FromStanza(child, element.Namespace, depth + 1));
    }
  }
  return element;
}

}  // namespace vextal
