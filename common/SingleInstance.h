#pragma once
// One running copy of a program per machine and user: a lock file named after the executable.
// The lock is released when the guard is destroyed or the process ends (stale locks of a
// crashed copy are taken over).

#include <memory>
#include <QLockFile>
#include <QString>

class SingleInstance
{
public:
    // `name` defaults to the executable's name; `folder` to the system's temporary folder.
    explicit SingleInstance(const QString& name = {}, const QString& folder = {});
    bool acquired() const { return acquired_; }
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

// Shows "Ya existe una instancia del Sistema Abierta" / "Instancias Multiples" when another copy
// runs and returns false; the caller then ends the program.
bool checkSingleInstance(SingleInstance& guard);
