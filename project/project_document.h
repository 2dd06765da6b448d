#pragma once

#include <cstdint>
#include <string>

#include "core/session.h"
#include "project/device_comments.h"

namespace rs {

// Titles of new projects: the document name followed by a counter of the
// projects created since the program started (Rungsmith1, Rungsmith2 ...).
class TitleCounter {
  public:
    std::string next() { return "Rungsmith" + std::to_string(++m_nCount); }

  private:
    int m_nCount = 0;
};

enum class SaveResult { Saved, NotCompiled, WriteFailed };

// The project document: its title, path and modified flag, the project file's
// save and load, and the take-over of a loaded program by the view. The
// program data itself lives in the session's store and view.
class ProjectDocument {
  public:
    // Every document, new or opened, starts in mode 2.
    explicit ProjectDocument(Session& session);

    // "New project": the next default title, no path, not modified.
    void initNew(TitleCounter& titles);

    // Writes the view's record lists to path, and the device comments beside
    // it (NAME.epj.comments; none there when the project has no comments). Refused with the
    // program's message while the ladder is not converted; a file error, or lists whose lengths no
    // load would accept, is reported with the framework's message. Only a save that reached the
    // disk takes path as the document's name and clears the modified flag; otherwise the file that
    // was there keeps its contents.
    SaveResult save(const std::string& path);

    // Reads the project at path into the view's record lists and sets the
    // encoding mode from it, and the device comments beside it. A damaged
    // comments file is reported, its good lines kept, and the project opens. A file that cannot be
    // read or is malformed is reported and changes nothing. On success the document is named after
    // the file, is not modified and m_bJustLoaded is set.
    bool open(const std::string& path);

    // The first paint after loading: the view switches to the instruction list
    // and the instruction table takes the loaded rows. False when nothing was
    // loaded since the last take-over.
    bool takeOver();

    // Record lookups: the record at position i of the view's list, or null.
    const CInstruction* GetInstruction(int32_t i) const;
    const CParameter1* GetParameter(int32_t i) const;
    const CFunNo* GetFunNo(int32_t i) const;
    const CFunStep* GetFunStep(int32_t i) const;
    const CProtocol* GetProtocol(int32_t i) const;

    DeviceComments& comments() { return m_comments; }
    const DeviceComments& comments() const { return m_comments; }
    // True while the comments came from a file that could not be read whole.
    bool commentsDamaged() const { return !m_damagedCommentsPath.empty(); }
    // Writes the comments beside the project at path (its own file only;
    // the project file is not touched). Returns 0 or the system error number.
    int saveCommentsOnly(const std::string& path) { return saveComments(path); }

    void setModifiedFlag(bool modified = true) { m_bModified = modified; }
    bool isModified() const { return m_bModified; }
    const std::string& title() const { return m_strTitle; }
    const std::string& pathName() const { return m_strPathName; }

    int m_bJustLoaded = 0;

  private:
    void takeName(const std::string& path);
    int saveComments(const std::string& path);
    void openComments(const std::string& path);

    Session& m_session;
    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    DeviceComments m_comments;
    // A comments file that could not be read whole is not written over
    // until the comments change: its path and the comments' revision then.
    std::string m_damagedCommentsPath;
    uint64_t m_damagedRevision = 0;
};

}  // namespace rs
