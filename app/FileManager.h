#pragma once

// Names the folder and the file of a generated QR image: one instance per
// process, under the user's Application Support folder.

#include <memory>
#include <mutex>
#include <string>

class FileManager {
  public:
    // The one instance, made on first use and kept for the process.
    static FileManager& sharedFileManager();
    // Makes the instance; a second one is a programming error and raises
    // std::logic_error ("Attempted to allocate a second instance of a singleton.").
    static FileManager& alloc();

    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // The full path of the QR image file.
    const std::string& qRFile() const { return qRFile_; }
    void setQRFile(std::string path) { qRFile_ = std::move(path); }

  private:
    // Creates the folder (a failure is not reported) and names the file in it.
    FileManager();

    static std::recursive_mutex& classLock();
    static FileManager*& instance();

    std::string qRFile_;
};
