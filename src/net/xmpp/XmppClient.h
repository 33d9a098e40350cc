#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include "net/NetworkLibrary.h"
#include "net/xmpp/XmlElement.h"
class QSocketNotifier;
struct _xmpp_ctx_t;
struct _xmpp_conn_t;
struct _xmpp_stanza_t;

namespace vextal {

struct StropheLibrary;

// One XMPP account logged in from this program: libstrophe driven from the Qt event loop on the
// user-interface thread (a socket notifier on its socket and a short timer calling it without
// waiting). The server is found by an SRV look-up that never blocks, then reached by host and
// port; TLS is required, the chain checked against the system's CA store (or a CA file named for
// the account) and the name against the account's domain. Any certificate failure ends the
// login. The password stays in memory only and never reaches a log.
//
// The game client shows itself with priority -1, so a person's chat messages to the bare address
// never come here. Pings from anyone are answered; IQ requests nobody claims get the standard
// error.
class XmppClient final : public QObject {
  Q_OBJECT

 public:
  enum class State { Offline, Connecting, Online };
  enum class Failure {
    None,                // logged out on this side
    LibraryMissing,      // libstrophe could not be loaded
    BadAddress,          // not of the form name@domain
    ServerNotFound,      // no server answered for the domain
    CertificateRefused,  // the server's certificate is not trusted for the domain
    WrongPassword,       // the server refused the address or password
    ConnectionLost,      // the connection ended after login, or failed during it
  };
  struct Account {
    QString Address;   // name@domain
    QString Password;  // kept in memory only
    QString CaFile;    // empty: the system's CA store
  };
  // Called with every stanza received once online; returns true when it took the stanza (only
  // matters for IQ requests: one nobody took is answered with an error).
  using StanzaHandler = std::function<bool(const XmlElement&)>;
  // Called with the result or error of an IQ sent, or with an empty element when the account
  // went offline first.
  using IqReply = std::function<void(const XmlElement&)>;

  // Most IQ requests waiting for their answer at once; past it SendIq refuses.
  static constexpr int kMaxPendingIqs = 1024;

  explicit XmppClient(QObject* parent = nullptr);
  ~XmppClient() override;
  XmppClient(const XmppClient&) = delete;
  XmppClient& operator=(const XmppClient&) = delete;

  // Starts logging in; the outcome comes as LoggedIn or LoggedOut. Ends any login before.
  void LogIn(const Account& account);
  // Ends the session (LoggedOut with Failure::None follows unless already offline).
  void LogOut();

  State CurrentState() const { return state_; }
  // The full address the server bound, once online.
  const QString& BoundAddress() const { return boundAddress_; }
  // The bare address of the account logging in or online.
  const QString& AccountAddress() const { return accountAddress_; }
  // The TLS stack's own words for the last certificate refused (for the log of a developer).
  const QString& CertificateError() const { return certificateError_; }

  // Elements added to the presence sent at login (the game client's mark).
  void SetPresenceExtras(QList<XmlElement> extras) { presenceExtras_ = std::move(extras); }

  // Sends a stanza; false when not online.
  bool Send(const XmlElement& stanza);
  // Sends an IQ request with an id of its own; reply gets the answer, which counts only when it
  // comes from the address the request went to. False when not online or too many wait.
  bool SendIq(XmlElement iq, IqReply reply);
  int PendingIqs() const { return int(pending_.size()); }

  // While suspended nothing is read or written, as in a program that hangs (the peer must notice
  // it by its own means); tests use it.
  void SetSuspended(bool suspended) { suspended_ = suspended; }

  // Stanza handlers, called in the order added; a handler may remove itself or others.
  int AddHandler(StanzaHandler handler);
  void RemoveHandler(int id);

  // Splits name@domain/resource; empty parts where they are missing.
  static QString BareAddress(const QString& address);
  static QString DomainOf(const QString& address);

 signals:
  void LoggedIn();
  void LoggedOut(vextal::XmppClient::Failure failure);

 private:
  struct Candidate {
    QString Host;
    quint16 Port;
  };
  struct Pending {
    QString To;
    IqReply Reply;
  };

  void ServerLookedUp(const QList<NetworkLibrary::ServiceTarget>& targets);
  void TryNextCandidate();
  void Connect(const QString& address, quint16 port);
  void Pump();
  void Finish(Failure failure);
  void ReleaseConnection();
  void SchedulePump();
  void WatchSocket(int fd);

  void OnConnectionEvent(int event, int error, bool streamError);
  void OnStanza(_xmpp_stanza_t* stanza);
  _xmpp_stanza_t* ToStanza(const XmlElement& element) const;
  XmlElement FromStanza(_xmpp_stanza_t* stanza, const QString& parentNs, int depth) const;
  void AnswerError(const XmlElement& iq, const char* condition);

  friend struct StropheCallbacks;

  const StropheLibrary* lib_ = nullptr;
  _xmpp_ctx_t* ctx_ = nullptr;
  _xmpp_conn_t* conn_ = nullptr;
  State state_ = State::Offline;
  Account account_;
  QString accountAddress_;
  QString boundAddress_;
  QString certificateError_;
  bool certificateRefused_ = false;
  bool secured_ = false;
  QList<Candidate> candidates_;
  const NetworkLibrary* net_ = nullptr;  // loaded at the first log-in
  QObject* lookup_ = nullptr;            // the server's SRV look-up under way
  int lookupId_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  QTimer pumpTimer_;
  bool pumpScheduled_ = false;
  bool suspended_ = false;
  int running_ = 0;  // inside xmpp_run_once
  QList<XmlElement> presenceExtras_;
  std::map<QString, Pending> pending_;
  quint64 nextIqId_ = 1;
  std::map<int, StanzaHandler> handlers_;
  int nextHandlerId_ = 1;
};

}  // namespace vextal
