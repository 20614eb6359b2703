#include "tools/autoupdater/UpdatePlan.h"

#include <algorithm>
#include <optional>

#include "api/JsonAnswer.h"
#include "tools/autoupdater/UpdaterNames.h"
#include "update/DownloadAddress.h"
#include "update/UpdaterOffer.h"
#include "update/VersionAnswer.h"

namespace {

// The client fetches and replaces the updater before it starts it; the updater cannot replace
// the program that is running.
bool IsOwnEntry(std::string_view name) {
    return IsUpdaterEntryName(name) || name == "AutoUpdater";
}

bool Refuse(std::string& error, const std::string& why) {
    error = why;
    return false;
}

bool AlreadyPlanned(const UpdatePlan& plan, const std::string& name) {
    return std::any_of(plan.files.begin(), plan.files.end(),
                       [&name](const PlannedFile& file) { return file.entry.name == name; });
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F;
    });
}

bool ReservedNames::Contains(std::string_view name) const {
    return name == settingsFile || name.starts_with(kUpdaterLogName) ||
           name.ends_with(kStagedSuffix) || name.ends_with(kBackupSuffix);
}

bool PlanUpdate(const Json::Value& answer, const ReservedNames& reserved, UpdatePlan& plan,
                std::string& error) {
    plan.version = OfferedVersion(answer).value_or(0);
    const std::string_view baseUrl = StringMember(answer, "baseurl");
    const Json::Value* files = answer.find("files", "files" + 5);
    if (files == nullptr || !files->isArray()) {
        return true;
    }
    for (const Json::Value& element : *files) {
        FileEntry entry = ReadFileEntry(element);
        if (IsOwnEntry(entry.name)) {
            plan.skipped.push_back(entry.name);
            continue;
        }
        if (!IsPlainFileName(entry.name) || reserved.Contains(entry.name)) {
            return Refuse(error, "the file name \"" + entry.name + "\" is not allowed");
        }
        if (AlreadyPlanned(plan, entry.name)) {
            return Refuse(error, "the file " + entry.name + " is listed twice");
        }
        if (entry.crc32 == 0 && entry.sha256.empty()) {
            return Refuse(error, "the file " + entry.name + " comes without a checksum");
        }
        const std::optional<std::string> address =
            DownloadAddress(baseUrl, entry.url, !entry.sha256.empty());
        if (!address) {
            return Refuse(error, "the address of " + entry.name + " (\"" + entry.url +
                                     "\") is not on the update server");
        }
        plan.files.push_back({std::move(entry), *address});
    }
    return true;
}
