#pragma once
// The Task Scheduler, as far as the program uses it: tasks in the root folder,
// each given whole as its XML definition.
#include <optional>
#include <string>

namespace os {

class Tasks {
public:
    virtual ~Tasks() = default;
    // Creates the task or replaces it.
    virtual bool Register(const std::string& name, const std::string& xml) = 0;
    // The task's definition as the scheduler keeps it; nullopt when there is
    // no such task.
    virtual std::optional<std::string> Find(const std::string& name) = 0;
    // Starts it now, without waiting for it.
    virtual bool Run(const std::string& name) = 0;
    virtual bool Remove(const std::string& name) = 0;
};

}  // namespace os
