#include "app/model/command_state.h"

#include "app/model/commands.h"

namespace rs::shell {

namespace {

bool isLadderOnlyCommand(int c) {
    return (c >= CmdOpenContact && c <= CmdRisingPulseBranch) || c == CmdInsertRow ||
           c == CmdDeleteRow;
}

bool isViewCommand(int c) {
    return isLadderOnlyCommand(c) || c == CmdCut || c == CmdCopy || c == CmdPaste ||
           c == CmdInsertLine || c == CmdDeleteLine || c == CmdConvert || c == CmdInstructionList ||
           c == CmdEnterKey;
}

bool isProjectCommand(int c) {
    // The transfer downloads the open project's program.
    return c == CmdTransferSetup || c == CmdCloseProject || c == CmdSave || c == CmdSaveAs ||
           c == CmdMode1 || c == CmdMode2 || c == CmdCascade || c == CmdTileHorizontally ||
           c == CmdArrangeIcons;
}

}  // namespace

CommandState commandState(int c, const ShellState& s) {
    CommandState out;
    switch (c) {
        case CmdStartSimulation:
            out.enabled = s.projectOpen && !s.simulationRunning;
            return out;
        case CmdStopSimulation:
            out.enabled = s.projectOpen && s.simulating;
            return out;
        case CmdSingleScan:
            out.enabled = s.projectOpen;
            return out;
        default:
            break;
    }
    if (isViewCommand(c)) {
        // A simulation locks the program; the list switch only changes what is shown.
        const bool locked = s.simulating && c != CmdInstructionList;
        out.enabled = s.projectOpen && !locked && !(s.listMode && isLadderOnlyCommand(c));
        return out;
    }
    if (isProjectCommand(c)) {
        out.enabled = s.projectOpen;
        if (c == CmdMode1 || c == CmdMode2) {
            out.checkable = true;
            out.checked = c == CmdMode1 ? s.mode1Check : s.mode2Check;
        }
        return out;
    }
    switch (c) {
        case CmdNewProject:
        case CmdOpenProject:
        case CmdExit:
        case CmdConnectionSetup:
        case CmdDeviceTest:
        case CmdDeviceBatchMonitor:
        case CmdAbout:
        case CmdUserIndex:
        case CmdExamples:
        case CmdStatusBarDirect:
            out.enabled = true;
            break;
        case CmdFindDevice:
        case CmdFindInstruction:
        case CmdFindString:
        case CmdFindNext:
        case CmdPrint:
        case CmdPrintPreview:
        case CmdExportPdf:
        case CmdExportPng:
            out.enabled = s.projectOpen;
            break;
        case CmdReplaceDevice:
            out.enabled = s.projectOpen && !s.simulating;  // a rename is an edit
            break;
        case CmdCrossReference:
            out = {true, true, s.crossReferenceVisible};
            break;
        case CmdUndo:
            out.enabled = s.projectOpen && s.canUndo && !s.simulating;
            break;
        case CmdRedo:
            out.enabled = s.projectOpen && s.canRedo && !s.simulating;
            break;
        case CmdFileToolbar:
            out = {true, true, s.fileToolbarVisible};
            break;
        case CmdStatusBarFlag:
            out = {true, true, s.statusBarFlag};
            break;
        case CmdDataList:
            out = {true, true, s.dataListVisible};
            break;
        default:
            out.enabled = isRecentFileCommand(c);
            break;
    }
    return out;
}

std::string statusPrompt(int c) {
    if (isRecentFileCommand(c)) return "打开此文档";
    switch (c) {
        case CmdNewProject:
            return "新建工程";
        case CmdOpenProject:
            return "打开";
        case CmdCloseProject:
            return "关闭活动文档";
        case CmdSave:
            return "保存";
        case CmdSaveAs:
            return "用新名称保存活动文档";
        case CmdExit:
            return "退出应用程序；提示保存文档";
        case CmdFileToolbar:
            return "工具条的显示/隐藏";
        case CmdStatusBarFlag:
            return "状态栏的显示/隐藏";
        case CmdStatusBarDirect:
            return "显示或隐藏状态栏";
        case CmdDataList:
            return "显示/隐藏工程参数";
        case CmdTransferSetup:
            return "通讯设置向导";
        case CmdConnectionSetup:
            return "连接设置";
        case CmdDeviceTest:
            return "软元件强制与读写";
        case CmdDeviceBatchMonitor:
            return "软元件批量监视";
        case CmdCascade:
            return "以重叠方式排列窗口";
        case CmdTileHorizontally:
            return "以非重叠的平铺方式排列窗口";
        case CmdArrangeIcons:
            return "在窗口底部排列图标";
        case CmdAbout:
            return "显示程序信息、版本号和版权";
        case CmdUserIndex:
            return "Rungsmith User Index";
        case CmdExamples:
            return "打开示例程序文件夹";
        case CmdInsertLine:
            return "插入行";
        case CmdDeleteLine:
            return "删除行";
        case CmdInsertRow:
            return "插入列";
        case CmdDeleteRow:
            return "删除列";
        case CmdConvert:
            return "F4编译";
        case CmdInstructionList:
            return "指令和梯形图相互切换";
        case CmdCopy:
            return "复制";
        case CmdCut:
            return "剪切";
        case CmdPaste:
            return "粘贴";
        case CmdUndo:
            return "撤销";
        case CmdRedo:
            return "重做";
        case CmdPrint:
            return "打印活动文档";
        case CmdPrintPreview:
            return "显示整页";
        case CmdExportPdf:
            return "将梯形图导出为PDF文件";
        case CmdExportPng:
            return "将梯形图导出为PNG图像";
        case CmdFindDevice:
            return "查找器件";
        case CmdFindInstruction:
            return "查找指令";
        case CmdFindString:
            return "查找字符串";
        case CmdFindNext:
            return "查找下一个";
        case CmdReplaceDevice:
            return "替换器件";
        case CmdCrossReference:
            return "显示/隐藏交叉参照表";
        default:
            return {};
    }
}

std::string toolTip(int c) {
    switch (c) {
        case CmdCloseProject:
            return "关闭";
        case CmdSaveAs:
            return "另存为";
        case CmdExit:
            return "退出";
        case CmdStatusBarDirect:
            return "切换状态栏";
        case CmdCascade:
            return "层叠窗口";
        case CmdTileHorizontally:
            return "平铺窗口";
        case CmdArrangeIcons:
            return "排列图标";
        case CmdAbout:
            return "关于";
        default:
            return {};
    }
}

}  // namespace rs::shell
