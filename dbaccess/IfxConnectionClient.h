#pragma once
// What the statements and data sets of a connection implement to be told
// about the connection's life. A statement component registers itself when
// its Connection is set (TIfxConnection::AttachClient) and unregisters when
// it is set to another or destroyed (DetachClient).
namespace varnok {

class TIfxConnection;

class TIfxConnectionClient {
public:
    virtual ~TIfxConnectionClient() = default;

    // Data sets close on the disconnect notification; plain statements only
    // drop their prepared statement.
    virtual bool IsDataSet() const { return false; }

    // The connection has opened.
    virtual void ConnectNotify(TIfxConnection& connection) { (void)connection; }
    // The connection closes (or, for data sets, its database changed): data
    // sets close; statements drop their prepared statements without a server call.
    virtual void DisconnectNotify(TIfxConnection& connection) = 0;
    // The database changed: the prepared statement's handle is no longer
    // valid; forget it without a server call (TIfxStatementRef::Drop).
    virtual void DropPreparedStatement() = 0;
    // The connection is being destroyed: forget the link to it.
    virtual void ConnectionDestroyed(TIfxConnection& connection) = 0;
};

}  // namespace varnok
