#pragma once
// The seam between the simulated bus (which publishes collections and moves reports over
// their sockets) and the simulated firmware (which answers them).
#include <cstdint>
#include <vector>

namespace sim {

using Report = std::vector<uint8_t>;  // first byte is the report ID

// Sends input reports to the host on one open connection (answers, notifications).
class ReportSink {
  public:
    virtual ~ReportSink() = default;
    virtual void SendInputReport(const Report& report) = 0;
};

// Behaviour of one published collection. Called on the bus's serving thread for each output
// report the host writes; may answer through the sink at once or later.
class CollectionHandler {
  public:
    virtual ~CollectionHandler() = default;
    virtual void OnOutputReport(const Report& report, ReportSink& host) = 0;
    virtual void OnConnectionOpened(ReportSink& /*host*/) {}
    virtual void OnConnectionClosed(ReportSink& /*host*/) {}
};

}  // namespace sim
