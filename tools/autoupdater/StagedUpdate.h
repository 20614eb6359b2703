#pragma once

#include <string>
#include <vector>

#include "api/ApiClient.h"
#include "tools/autoupdater/UpdatePlan.h"
#include "tools/autoupdater/UpdaterLog.h"

// The files of one update in the program's folder. Each is fetched and checked into a staged
// name beside its own; only when all of them are there do they take their names, each by a
// rename, so a failure or a kill while fetching leaves every file of the client as it was.
class StagedUpdate {
  public:
    StagedUpdate(std::string programDir, const UpdaterLog& log)
        : dir_(std::move(programDir)), log_(log) {}
    ~StagedUpdate() { Discard(); }
    StagedUpdate(const StagedUpdate&) = delete;
    StagedUpdate& operator=(const StagedUpdate&) = delete;

    // Removes what an earlier run left when it was killed: staged files and backups. Until the
    // settings name the new version an interrupted swap is not finished, and the next run swaps
    // every file again.
    void RemoveLeftovers() const;

    // Fetches and checks every planned file into its staged name. False on the first file that
    // cannot be fetched, does not match its checksums or cannot be written.
    bool Fetch(const ApiClient& client, const std::vector<PlannedFile>& files);

    // Puts every staged file in place of its old one; a file that replaces a program keeps its
    // mode. False, with every file moved back, when any rename fails.
    bool Swap();

    // Moves every swapped file back to the old one (after a later step failed).
    void Restore();

    // Drops the old files once the new version is recorded; nothing can be restored after this.
    void Keep();

  private:
    struct Staged {
        std::string name;
        bool hadOld = false;
        bool swapped = false;
    };

    std::string PathOf(const std::string& name) const { return dir_ + name; }
    bool FetchOne(const ApiClient& client, const PlannedFile& file);
    bool SwapOne(Staged& file);
    void Discard();

    std::string dir_;
    const UpdaterLog& log_;
    std::vector<Staged> staged_;
};
