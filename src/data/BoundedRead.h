#pragma once

#include "data/CADOConnection.h"

#include <functional>
#include <utility>

/// Bounds the reads of a connection for as long as it lives (see
/// CADOConnection::BeginBoundedRead): a read nobody asked to wait for must neither hang nor
/// outlive the wish to stop it.
class BoundedRead {
public:
    explicit BoundedRead(CADOConnection& connection, std::function<bool()> stopRequested = {})
        : m_connection(connection)
    {
        m_connection.BeginBoundedRead(std::move(stopRequested));
    }
    ~BoundedRead() { m_connection.EndBoundedRead(); }
    BoundedRead(const BoundedRead&) = delete;
    BoundedRead& operator=(const BoundedRead&) = delete;

private:
    CADOConnection& m_connection;
};
