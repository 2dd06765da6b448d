#include "project/project_document.h"

#include <cerrno>
#include <filesystem>

#include "core/messages.h"
#include "project/comments_file.h"
#include "project/file_io.h"
#include "project/file_messages.h"
#include "project/project_file.h"

namespace rs {

namespace {

template <typename Record>
const Record* at(const std::vector<Record>& list, int32_t i) {
    if (i < 0 || static_cast<size_t>(i) >= list.size()) return nullptr;
    return &list[static_cast<size_t>(i)];
}

void reportFileProblem(MessageSink& sink, const std::string& text) {
    sink.inform(text, msg::kAppTitle, MessageIcon::Warning);
}

}  // namespace

ProjectDocument::ProjectDocument(Session& session) : m_session(session) {
    m_session.app.setMode2(true);
}

void ProjectDocument::initNew(TitleCounter& titles) {
    m_strTitle = titles.next();
    m_strPathName.clear();
    m_bModified = false;
    m_comments.clear();
    m_damagedCommentsPath.clear();
}

// The title shows the file name without its ".epj" extension.
void ProjectDocument::takeName(const std::string& path) {
    m_strPathName = path;
    m_strTitle = std::filesystem::path(path).filename().string();
    const std::string ext = ".epj";
    if (m_strTitle.size() > ext.size() && m_strTitle.ends_with(ext))
        m_strTitle.resize(m_strTitle.size() - ext.size());
}

SaveResult ProjectDocument::save(const std::string& path) {
    ViewState& view = m_session.view;
    if (!view.m_bCompiled) {
        msg::refuse(m_session.sink, msg::kNotCompiled);
        return SaveResult::NotCompiled;
    }
    store::prepareForSave(view.records, m_session.app.m_bMode2);
    // Lists whose lengths do not fit together would give a file that no load
    // accepts: the file on disk is kept instead.
    if (!store::listsConsistent(view.records)) {
        reportFileProblem(m_session.sink, msg::kFailedToSave);
        return SaveResult::WriteFailed;
    }
    // The comments go first: when they cannot be written the project file
    // is left as it was too.
    if (const int err = saveComments(path); err != 0) {
        reportFileProblem(m_session.sink, msg::fileErrorMessage(err, commentsPathFor(path), true));
        return SaveResult::WriteFailed;
    }
    if (const int err = replaceFile(path, encodeProject(view.records)); err != 0) {
        reportFileProblem(m_session.sink, msg::fileErrorMessage(err, path, true));
        return SaveResult::WriteFailed;
    }
    takeName(path);
    m_bModified = false;
    return SaveResult::Saved;
}

bool ProjectDocument::open(const std::string& path) {
    std::string bytes;
    bool tooLarge = false;
    if (const int err = readWholeFile(path, kMaxProjectFileBytes, bytes, tooLarge); err != 0) {
        reportFileProblem(m_session.sink, msg::fileErrorMessage(err, path, false));
        return false;
    }
    std::optional<DecodedProject> file;
    if (!tooLarge) file = decodeProject(bytes);
    if (!file) {
        reportFileProblem(m_session.sink, msg::kUnexpectedFileFormat);
        return false;
    }
    removeStaleSaves(path);
    RecordLists& lists = m_session.view.records;
    lists.m_FunNoList = std::move(file->records.m_FunNoList);
    lists.m_InstructionList = std::move(file->records.m_InstructionList);
    lists.m_ParameterList = std::move(file->records.m_ParameterList);
    lists.m_FunStepList = std::move(file->records.m_FunStepList);
    AppStore& app = m_session.app;
    if (file->hasModeTable) {
        lists.m_ProtocolList = std::move(file->records.m_ProtocolList);
        app.m_bMode2 = modeTextIsMode2(GetProtocol(0)->m_strText);
    }
    app.setMode2(app.m_bMode2);  // the check marks follow the mode
    openComments(path);
    m_bJustLoaded = 1;
    takeName(path);
    m_bModified = false;
    return true;
}

int ProjectDocument::saveComments(const std::string& path) {
    const std::string commentsPath = commentsPathFor(path);
    if (commentsPath == m_damagedCommentsPath && m_comments.revision() == m_damagedRevision)
        return 0;
    m_damagedCommentsPath.clear();
    if (!m_comments.empty()) return replaceFile(commentsPath, encodeComments(m_comments));
    std::error_code ec;
    std::filesystem::remove(commentsPath, ec);
    return 0;
}

void ProjectDocument::openComments(const std::string& path) {
    const std::string commentsPath = commentsPathFor(path);
    m_comments.clear();
    m_damagedCommentsPath.clear();
    removeStaleSaves(commentsPath);
    std::string bytes;
    bool tooLarge = false;
    const int err = readWholeFile(commentsPath, kMaxCommentsFileBytes, bytes, tooLarge);
    if (err == ENOENT) return;  // no file: no comments
    if (err != 0 || tooLarge) {
        reportFileProblem(m_session.sink,
                          err != 0 ? msg::fileErrorMessage(err, commentsPath, false)
                                   : msg::commentsDamagedMessage(commentsPath, 1, "too large"));
        m_damagedCommentsPath = commentsPath;
        m_damagedRevision = m_comments.revision();
        return;
    }
    const CommentsReadResult read = decodeComments(bytes);
    for (const DeviceComments::Entry& e : read.comments.entries())
        m_comments.set(*readCommentDevice(e.device), e.comment);
    if (!read.ok()) {
        reportFileProblem(m_session.sink,
                          msg::commentsDamagedMessage(commentsPath, read.badLine, read.problem));
        m_damagedCommentsPath = commentsPath;
        m_damagedRevision = m_comments.revision();
    }
}

bool ProjectDocument::takeOver() {
    if (m_bJustLoaded == 0) return false;
    m_session.view.m_bListMode = 1;
    store::loadCopy(m_session.table(), m_session.view.records);
    m_bJustLoaded = 0;
    return true;
}

const CInstruction* ProjectDocument::GetInstruction(int32_t i) const {
    return at(m_session.view.records.m_InstructionList, i);
}
const CParameter1* ProjectDocument::GetParameter(int32_t i) const {
    return at(m_session.view.records.m_ParameterList, i);
}
const CFunNo* ProjectDocument::GetFunNo(int32_t i) const {
    return at(m_session.view.records.m_FunNoList, i);
}
const CFunStep* ProjectDocument::GetFunStep(int32_t i) const {
    return at(m_session.view.records.m_FunStepList, i);
}
const CProtocol* ProjectDocument::GetProtocol(int32_t i) const {
    return at(m_session.view.records.m_ProtocolList, i);
}

}  // namespace rs
