#include "server/ServerOptions.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace {

using ServerEnvelope::AnswerCrc;

constexpr int kMaxStallMs = 600000;

bool ParseInt(std::string_view text, int low, int high, int& value) {
    int parsed = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (status != std::errc() || end != text.data() + text.size() || parsed < low ||
        parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

// The multiple a rate's last letter stands for; 1 for none of them.
uint64_t RateUnit(char suffix) {
    switch (suffix) {
        case 'k':
        case 'K':
            return uint64_t{1} << 10;
        case 'm':
        case 'M':
            return uint64_t{1} << 20;
        case 'g':
        case 'G':
            return uint64_t{1} << 30;
        default:
            return 1;
    }
}

// "N", "Nk", "Nm" or "Ng": bytes, KiB, MiB or GiB.
bool ParseByteRate(std::string_view text, uint64_t& bytesPerSecond) {
    const uint64_t unit = text.empty() ? 1 : RateUnit(text.back());
    if (unit != 1) {
        text.remove_suffix(1);
    }
    uint64_t count = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || status != std::errc() || end != text.data() + text.size() ||
        count > std::numeric_limits<uint64_t>::max() / unit) {
        return false;
    }
    bytesPerSecond = count * unit;
    return true;
}

bool ParseAnswerForm(std::string_view text, AnswerCrc& crc) {
    if (text == "rsa") {
        crc = AnswerCrc::Rsa;
    } else if (text == "plain") {
        crc = AnswerCrc::Plain;
    } else if (text == "none") {
        crc = AnswerCrc::None;
    } else {
        return false;
    }
    return true;
}

// Applies one option that takes a value. False when the value is unusable.
bool ApplyValue(std::string_view name, std::string_view value, ServerOptions& options) {
    if (name == "--port") {
        return ParseInt(value, 0, 65535, options.port);
    }
    if (name == "--stall-ms") {
        return ParseInt(value, 0, kMaxStallMs, options.stallMs);
    }
    if (name == "--rate") {
        return ParseByteRate(value, options.rateBytesPerSecond);
    }
    if (name == "--answer") {
        return ParseAnswerForm(value, options.form.crc);
    }
    if (name == "--fault") {
        return ParseFaultMode(value, options.fault);
    }
    std::string* target = name == "--host"      ? &options.host
                          : name == "--data"    ? &options.dataDir
                          : name == "--cert"    ? &options.certFile
                          : name == "--key"     ? &options.keyFile
                          : name == "--rsa-key" ? &options.rsaKeyFile
                                                : nullptr;
    if (target == nullptr || value.empty()) {
        return false;
    }
    *target = value;
    return true;
}

}  // namespace

ServerOptions::ServerOptions()
    : dataDir(KAVRIN_SERVER_DATA_DIR),
      certFile(KAVRIN_SERVER_DEVKEY_DIR "/server.pem"),
      keyFile(KAVRIN_SERVER_DEVKEY_DIR "/server.key"),
      rsaKeyFile(KAVRIN_SERVER_DEVKEY_DIR "/rsa_private.pem") {}

bool ParseServerOptions(int argc, const char* const* argv, ServerOptions& options,
                        std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--no-scramble") {
            options.form.scrambled = false;
            continue;
        }
        if (i + 1 >= argc) {
            error = "missing value for " + std::string(name);
            return false;
        }
        const std::string_view value = argv[++i];
        if (!ApplyValue(name, value, options)) {
            error = "bad option " + std::string(name) + " " + std::string(value);
            return false;
        }
    }
    return true;
}

const char* ServerUsage() {
    return "usage: kavrin-server [--port N] [--host 127.0.0.1] [--data DIR] [--cert FILE]\n"
           "                     [--key FILE] [--rsa-key FILE] [--answer rsa|plain|none]\n"
           "                     [--no-scramble] [--fault MODE] [--stall-ms N] [--rate N]\n"
           "faults: failed-plain failed-with-data foreign-nonce bad-crc short-envelope\n"
           "        zero-in-payload not-found redirect empty-body stall\n"
           "rate:   bytes per second for each download connection, N, Nk, Nm or Ng\n"
           "        (KiB, MiB, GiB); 0 or no --rate: as fast as the connection goes\n";
}
