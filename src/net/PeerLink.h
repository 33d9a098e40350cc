#pragma once

#include <QtGlobal>

#include "net/Message.h"

namespace vextal {

// Which end of a game a link opened as: the host plays player 1 and owns the board, the guest
// plays player 2 and asks for the host's board once the link is open.
enum class LinkRole { Host, Guest };

class PeerLink;

// What a link tells the game protocol (NetGame). A link reports on the user-interface thread,
// and the protocol may call back into the link (Send, Close) or end it from any of these.
class LinkEvents {
 public:
  virtual ~LinkEvents() = default;

  // The link is being set up and no peer is there yet (hosting waits, a connect or an invitation
  // is under way), or an opened link lost its peer before the game began and waits again.
  virtual void LinkWaiting(PeerLink& link) = 0;
  // A peer is there: this side plays `role`.
  virtual void LinkOpened(PeerLink& link, LinkRole role) = 0;
  // One whole message from the peer, in the order it was sent.
  virtual void LinkReceived(PeerLink& link, const Message& message) = 0;
  // The link ended (a DisconnectCause); after the peer's last message, when the peer closed it.
  virtual void LinkClosed(PeerLink& link, qint32 cause) = 0;
  // Everything queued on the link has left this process.
  virtual void LinkWritten(PeerLink& link) = 0;
};

// A link to the peer, whatever carries it (a TCP connection, a chat network, memory in tests).
// Every link hands the peer's messages over through one MessageDelivery, so all keep the same
// rules: in order, in slices, held while asked, the peer's close after its last message.
class PeerLink {
 public:
  virtual ~PeerLink() = default;

  // Queues one message for the peer; false when no peer is there or the link refuses it
  // (nothing is sent then).
  virtual bool Send(const Message& message) = 0;
  // Ends the link (or its setting up) and reports LinkClosed with cause; with nothing open,
  // reports only a cause >= 1.
  virtual void Close(qint32 cause) = 0;
  // While held, the peer's messages wait, in order; releasing delivers them from the event loop.
  virtual void HoldDelivery(bool hold) = 0;
  // A peer is there.
  virtual bool Connected() const = 0;
  // Bytes queued on this link so far, a mark for Written; Written(mark): everything queued up to
  // the mark has left this process (or the link is gone).
  virtual qint64 QueuedTotal() const = 0;
  virtual bool Written(qint64 mark) const = 0;
};

}  // namespace vextal
