#include "project/project_file.h"

#include "core/char_class.h"
#include "core/instruction_store.h"
#include "core/limits.h"
#include "project/archive_reader.h"
#include "project/archive_writer.h"

namespace rs {

namespace {

// Positions of the classes in the reader's class list.
enum ClassId : size_t { kFunNoId, kInstructionId, kParameterId, kFunStepId, kProtocolId };

// The smallest element a table can hold: a known-class tag, the row index and
// a one-byte empty text.
constexpr size_t kMinElementBytes = 2 + 4 + 1;

void writeValue(ArchiveWriter& w, int32_t v) {
    w.writeInt32(static_cast<uint32_t>(v));
}
void writeValue(ArchiveWriter& w, const std::string& v) {
    w.writeText(v);
}

template <typename Record>
void writeTable(ArchiveWriter& w, const std::vector<Record>& list, const char* className) {
    w.writeCount(static_cast<uint32_t>(list.size()));
    for (const Record& r : list) {
        w.writeClassTag(className);
        writeValue(w, r.m_nRow);
        if constexpr (requires { r.m_nValue; })
            writeValue(w, r.m_nValue);
        else
            writeValue(w, r.m_strText);
    }
}

template <typename Record>
bool readTable(ArchiveReader& r, std::vector<Record>& list, size_t classId) {
    uint32_t n = 0;
    if (!r.readCount(n)) return false;
    if (n > static_cast<uint32_t>(kListRows) || n > r.remaining() / kMinElementBytes) return false;
    list.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        size_t id = 0;
        uint32_t row = 0;
        Record rec;
        if (!r.readClassTag(id) || id != classId || !r.readInt32(row)) return false;
        rec.m_nRow = static_cast<int32_t>(row);
        if constexpr (requires { rec.m_nValue; }) {
            uint32_t v = 0;
            if (!r.readInt32(v)) return false;
            rec.m_nValue = static_cast<int32_t>(v);
        } else {
            if (!r.readText(rec.m_strText)) return false;
        }
        list.push_back(std::move(rec));
    }
    return true;
}

}  // namespace

std::string encodeProject(const RecordLists& records) {
    ArchiveWriter w;
    writeTable(w, records.m_FunNoList, record_class::kFunNo);
    writeTable(w, records.m_InstructionList, record_class::kInstruction);
    writeTable(w, records.m_ParameterList, record_class::kParameter);
    writeTable(w, records.m_FunStepList, record_class::kFunStep);
    writeTable(w, records.m_ProtocolList, record_class::kProtocol);
    return w.take();
}

std::optional<DecodedProject> decodeProject(std::string_view bytes) {
    if (bytes.size() > kMaxProjectFileBytes) return std::nullopt;
    ArchiveReader r(bytes,
                    {record_class::kFunNo, record_class::kInstruction, record_class::kParameter,
                     record_class::kFunStep, record_class::kProtocol});
    DecodedProject out;
    RecordLists& lists = out.records;
    if (!readTable(r, lists.m_FunNoList, kFunNoId) ||
        !readTable(r, lists.m_InstructionList, kInstructionId) ||
        !readTable(r, lists.m_ParameterList, kParameterId) ||
        !readTable(r, lists.m_FunStepList, kFunStepId))
        return std::nullopt;
    if (!r.atEnd()) {
        if (!readTable(r, lists.m_ProtocolList, kProtocolId) || lists.m_ProtocolList.empty() ||
            !r.atEnd())
            return std::nullopt;
        out.hasModeTable = true;
    }
    if (!store::listsConsistent(lists)) return std::nullopt;
    return out;
}

bool modeTextIsMode2(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    for (; i < text.size() && isDigit(text[i]); ++i)
        if (text[i] != '0') return true;
    return false;
}

}  // namespace rs
