#pragma once

#include <httplib.h>

#include "server/CrashReportStore.h"

// POST /client/crashreport?dump=NAME&...: the body is one crash dump, stored whole or refused.
// Empty bodies and bodies above kMaxCrashReportBytes are refused, the large ones by their
// announced size before they are read. Every request is logged; a stored one adds
// "STORED crashes/NAME N bytes".
class CrashReportReceiver {
  public:
    explicit CrashReportReceiver(const CrashReportStore& store) : store_(store) {}

    // The answer to "Expect: 100-continue": 100, or 413 (answered and logged here) for a report
    // announced too large, so that its body is never sent.
    int ExpectContinue(const httplib::Request& request, httplib::Response& response) const;

    // Every POST: the report path, or 404 for any other.
    void Handle(const httplib::Request& request, httplib::Response& response,
                const httplib::ContentReader& reader) const;

  private:
    // The body, read up to the limit; false when it went past it or the reading broke off.
    static bool ReadBody(const httplib::ContentReader& reader, std::string& body, bool& tooLarge);
    void Receive(const httplib::Request& request, httplib::Response& response,
                 const httplib::ContentReader& reader) const;

    const CrashReportStore& store_;
};
