#pragma once
// The data record's files: "Tbdata.dat" in the data folder, loaded at start and saved at close,
// and the user's saved configurations (Save As / Open). Every box and sound goes through the
// platform services; window state is gathered and applied by the callers' callbacks.
//
// Guarantees: a save never leaves a damaged file (temporary file + rename) and always writes a
// file of exactly one record; a data file that exists but cannot be read is kept as
// "Tbdata.bak"; a refused Open leaves the live record untouched.

#include <functional>
#include <string>

#include "exprwin/data_record.h"
#include "platform/app_services.h"

namespace tobrisk {

inline constexpr const char* kDataFileName = "Tbdata.dat";

struct LoadOutcome {
    bool created = false;     // a new record was made (no readable data file)
    bool keptBackup = false;  // an unreadable data file was kept as "Tbdata.bak"
    std::string error;        // creating the new file failed (already reported)
};

class RecordFiles {
  public:
    RecordFiles(DataRecord& record, AppServices& services);

    std::string dataFilePath() const;  // data folder + "Tbdata.dat"

    // Off while another program holds the data folder: the data file is then only read (no new
    // file at start, no backup, no save at close). Save As and Open still work.
    void setDataFileWritable(bool writable) { dataFileWritable_ = writable; }

    LoadOutcome loadAtStart(const NewRecordContext& ctx);
    // Gathers and writes "Tbdata.dat" (creating it again if it was deleted; nothing is written
    // when the file already holds exactly these bytes). On failure reports
    // the error and asks whether to quit without saving: returns false when the program must
    // stay open.
    bool saveAtClose(const std::function<void()>& gather);
    // "Save As...": true when a file was written.
    bool saveAs(const std::function<void()>& gather);
    // "Open...": true when a record was loaded. afterLoad applies the window state and refreshes
    // the listing; it runs after the events were moved and before the closing sound.
    bool open(const std::function<void()>& afterLoad);

    // Moves every event to the next occurrence of its time of day from now.
    static void moveEvents(DataRecord& record, double now);

  private:
    bool writeRecord(const std::string& path, std::string& error);
    bool dataFileHoldsRecord() const;  // the data file is already exactly the live record
    FileDialogSpec dialogSpec(const char* title) const;

    DataRecord& record_;
    AppServices& services_;
    bool dataFileWritable_ = true;
};

}  // namespace tobrisk
