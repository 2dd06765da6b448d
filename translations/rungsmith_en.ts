<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Rungsmith</name>
    <message>
        <source>F4编译</source>
        <translation>Convert (F4)</translation>
    </message>
    <message>
        <source>以重叠方式排列窗口</source>
        <translation>Arrange the windows overlapping</translation>
    </message>
    <message>
        <source>以非重叠的平铺方式排列窗口</source>
        <translation>Arrange the windows as non-overlapping tiles</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关闭活动文档</source>
        <translation>Close the active project</translation>
    </message>
    <message>
        <source>切换状态栏</source>
        <translation>Toggle the status bar</translation>
    </message>
    <message>
        <source>删除列</source>
        <translation>Delete row</translation>
    </message>
    <message>
        <source>删除行</source>
        <translation>Delete line</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>在窗口底部排列图标</source>
        <translation>Arrange icons at the bottom of the window</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>将梯形图导出为PDF文件</source>
        <translation>Export the ladder as a PDF file</translation>
    </message>
    <message>
        <source>将梯形图导出为PNG图像</source>
        <translation>Export the ladder as PNG images</translation>
    </message>
    <message>
        <source>层叠窗口</source>
        <translation>Cascade windows</translation>
    </message>
    <message>
        <source>工具条的显示/隐藏</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>平铺窗口</source>
        <translation>Tile windows</translation>
    </message>
    <message>
        <source>打印活动文档</source>
        <translation>Print the active project</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>打开此文档</source>
        <translation>Open this project</translation>
    </message>
    <message>
        <source>打开示例程序文件夹</source>
        <translation>Open the folder of example programs</translation>
    </message>
    <message>
        <source>指令和梯形图相互切换</source>
        <translation>Switch between instruction list and ladder</translation>
    </message>
    <message>
        <source>排列图标</source>
        <translation>Arrange icons</translation>
    </message>
    <message>
        <source>插入列</source>
        <translation>Insert row</translation>
    </message>
    <message>
        <source>插入行</source>
        <translation>Insert line</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>新建工程</source>
        <translation>Create a new project</translation>
    </message>
    <message>
        <source>将光标处的器件加入监视窗口</source>
        <translation>Add the device at the cursor to the watch window</translation>
    </message>
    <message>
        <source>显示/隐藏监视窗口</source>
        <translation>Show or hide the watch window</translation>
    </message>
    <message>
        <source>显示/隐藏时序图</source>
        <translation>Show or hide the timing chart</translation>
    </message>
    <message>
        <source>显示/隐藏交叉参照表</source>
        <translation>Show or hide the cross reference</translation>
    </message>
    <message>
        <source>显示/隐藏工程参数</source>
        <translation>Show or hide the project data list</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>显示整页</source>
        <translation>Show whole pages</translation>
    </message>
    <message>
        <source>显示程序信息、版本号和版权</source>
        <translation>Show program information, version and copyright</translation>
    </message>
    <message>
        <source>替换器件</source>
        <translation>Replace a device</translation>
    </message>
    <message>
        <source>查找下一个</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>查找器件</source>
        <translation>Find a device</translation>
    </message>
    <message>
        <source>查找字符串</source>
        <translation>Find a character string</translation>
    </message>
    <message>
        <source>查找指令</source>
        <translation>Find an instruction</translation>
    </message>
    <message>
        <source>状态栏的显示/隐藏</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>用新名称保存活动文档</source>
        <translation>Save the active project under a new name</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>软元件强制与读写</source>
        <translation>Force, read and write devices</translation>
    </message>
    <message>
        <source>软元件批量监视</source>
        <translation>Monitor a run of devices</translation>
    </message>
    <message>
        <source>连接设置</source>
        <translation>Connection setup</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>退出应用程序；提示保存文档</source>
        <translation>Quit the application; offers to save projects</translation>
    </message>
    <message>
        <source>通讯设置向导</source>
        <translation>Communication setup</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>程序已打开！</source>
        <translation>The project is already open!</translation>
    </message>
    <message>
        <source>关于 CV-Rungsmith</source>
        <translation>About CV-Rungsmith</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>记录文件(*.epj);;All Files (*.*)</source>
        <translation>Project files (*.epj);;All Files (*.*)</translation>
    </message>
    <message>
        <source>Simulation: %1 scans, scan time %2 µs</source>
        <translation>Simulation: %1 scans, scan time %2 µs</translation>
    </message>
    <message>
        <source>Co－existence 
 network</source>
        <translation>Co-existence 
 network</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>0:T/C触点;1:T/C线圈</source>
        <translation>0: T/C contact; 1: T/C coil</translation>
    </message>
    <message>
        <source>起始地址</source>
        <translation>Start address</translation>
    </message>
    <message>
        <source>长度</source>
        <translation>Length</translation>
    </message>
</context>
</TS>
