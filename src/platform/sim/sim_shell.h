#pragma once

#include "platform/platform.h"

#include <condition_variable>
#include <mutex>
#include <vector>

namespace pw::sim {

// A recorder of what the library asked the shell to start.
class SimShell final : public platform::Shell {
  public:
    struct Execution {
        String operation;
        String file;
        String parameters;
        int show = 0;
        bool extended = false; // asked through ShellExecuteExW
    };

    bool Execute(const Char* operation, const Char* file, const Char* parameters,
                 int show) override;
    bool ExecuteEx(const Char* verb, const Char* file, const Char* parameters, int show) override;
    bool LockWorkStation() override;
    void Beep(unsigned type) override;

    std::vector<Execution> Executions() const;
    int LockCount() const;
    int BeepCount() const;
    // What Execute answers (true by default); a refusal sets the last error to "file not
    // found".
    void SetExecuteResult(bool result);
    // While held, a start waits (at most ten seconds) before it is recorded, as a slow
    // shell would; the release lets every waiting start go on.
    void HoldStarts(bool hold);

  private:
    bool Record(Execution execution);

    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool holding_ = false;
    std::vector<Execution> executions_;
    int locks_ = 0;
    int beeps_ = 0;
    bool executeResult_ = true;
};

} // namespace pw::sim
