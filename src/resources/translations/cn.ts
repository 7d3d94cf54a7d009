<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Command</name>
    <message>
        <source>Soft reset</source>
        <translation>软复位</translation>
    </message>
    <message>
        <source>Do you wish to continue?</source>
        <translation>您希望继续进行下去吗？</translation>
    </message>
    <message>
        <source>The device will be disconnected after restoring the factory parameters</source>
        <translation>恢复出厂参数后，设备将会被断开通讯连接</translation>
    </message>
    <message>
        <source>Restore Factory Parameters</source>
        <translation>恢复出厂参数</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>恢复出厂参数</translation>
    </message>
    <message>
        <source>Please wait</source>
        <translation>请等待</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The operation is completed, Please reconnect the device</source>
        <translation>操作已完成，请重新连接设备</translation>
    </message>
</context>
<context>
    <name>DefinitionError</name>
    <message>
        <source>Definition file %1 not found</source>
        <translation>未找到定义文件 %1</translation>
    </message>
    <message>
        <source>Definition file %1 cannot be opened</source>
        <translation>无法打开定义文件 %1</translation>
    </message>
    <message>
        <source>Definition file %1 is damaged: %2 (line %3, column %4)</source>
        <translation>定义文件 %1 已损坏：%2（第 %3 行，第 %4 列）</translation>
    </message>
</context>
<context>
    <name>GUI_About</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
</context>
<context>
    <name>GUI_Communication</name>
    <message>
        <source>Device Version</source>
        <translation>设备版本</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>通讯</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Databits</source>
        <translation>数据位</translation>
    </message>
    <message>
        <source>Stopbits</source>
        <translation>停止位</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>Slave Addr</source>
        <translation>从站地址</translation>
    </message>
    <message>
        <source>Connect or disconnect to the device</source>
        <translation>连接或断开设备</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无校验</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇校验</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶校验</translation>
    </message>
    <message>
        <source>In the initialization</source>
        <translation>正在初始化</translation>
    </message>
    <message>
        <source>Please select a serial port to connect</source>
        <translation>请选择要连接的串口</translation>
    </message>
    <message>
        <source>Cannot open serial device due to permissions</source>
        <translation>由于权限不足，无法打开串口设备</translation>
    </message>
    <message>
        <source>Serial device access failed</source>
        <translation>串口设备访问失败</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>正在连接</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>The communication connection was successful, the current device ID is</source>
        <translation>通讯连接成功，当前设备站号为</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>The communication exit was successful</source>
        <translation>通讯已成功断开</translation>
    </message>
    <message>
        <source>Closing</source>
        <translation>正在关闭</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>等待恢复</translation>
    </message>
    <message>
        <source>Communication connection failed</source>
        <translation>通讯连接失败</translation>
    </message>
    <message>
        <source>Connection failed, please check the device connection or configuration</source>
        <translation>连接失败，请检查设备连接或通讯配置</translation>
    </message>
</context>
<context>
    <name>GUI_ParamTable</name>
    <message>
        <source>Parameter import</source>
        <translation>参数导入</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Parameter export</source>
        <translation>参数导出</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>恢复出厂参数</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复出厂</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Apply </source>
        <translation>写入 </translation>
    </message>
    <message>
        <source>Refresh </source>
        <translation>读取 </translation>
    </message>
    <message>
        <source>Parameter compare</source>
        <translation>参数比较</translation>
    </message>
    <message>
        <source>Search for</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Administrator mode</source>
        <translation>管理员模式</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>只读</translation>
    </message>
    <message>
        <source>Operation failed</source>
        <translation>操作失败</translation>
    </message>
    <message>
        <source>Inconsistent with factory value</source>
        <translation>与出厂值不一致</translation>
    </message>
    <message>
        <source>Realtime refresh</source>
        <translation>实时刷新</translation>
    </message>
    <message>
        <source>The setting value is inconsistent with the current value</source>
        <translation>设定值与当前值不一致</translation>
    </message>
    <message>
        <source>The setting value is inconsistent with the factory value</source>
        <translation>设定值与出厂值不一致</translation>
    </message>
    <message>
        <source>The current value is inconsistent with the factory value</source>
        <translation>当前值与出厂值不一致</translation>
    </message>
    <message>
        <source>Displays the check parameters</source>
        <translation>显示勾选的参数</translation>
    </message>
    <message>
        <source>Filter failed items</source>
        <translation>筛选操作失败的项</translation>
    </message>
    <message>
        <source>Write only the checked option</source>
        <translation>只写入勾选的参数</translation>
    </message>
    <message>
        <source>Write the current page</source>
        <translation>写入当前页</translation>
    </message>
    <message>
        <source>Read only the checked option</source>
        <translation>只读取勾选的参数</translation>
    </message>
    <message>
        <source>Read the current page</source>
        <translation>读取当前页</translation>
    </message>
    <message>
        <source>Read all pages</source>
        <translation>读取全部参数</translation>
    </message>
    <message>
        <source>Parameter group</source>
        <translation>参数组</translation>
    </message>
    <message>
        <source>System parameters</source>
        <translation>系统参数</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Downtime modification</source>
        <translation>停机修改</translation>
    </message>
    <message>
        <source>Any modification</source>
        <translation>任意修改</translation>
    </message>
    <message>
        <source>Effective immediately</source>
        <translation>立即生效</translation>
    </message>
    <message>
        <source>Effective after restart</source>
        <translation>重启后生效</translation>
    </message>
    <message>
        <source>Parameter write, number of parameters</source>
        <translation>写入参数，参数个数</translation>
    </message>
    <message>
        <source>Parameter uploading</source>
        <translation>正在写入参数</translation>
    </message>
    <message>
        <source>Parameter read, number of parameters</source>
        <translation>读取参数，参数个数</translation>
    </message>
    <message>
        <source>Parameter loading</source>
        <translation>正在读取参数</translation>
    </message>
    <message>
        <source>Please wait</source>
        <translation>请等待</translation>
    </message>
    <message>
        <source>The operation is complete</source>
        <translation>操作完成</translation>
    </message>
    <message>
        <source>Export File</source>
        <translation>导出文件</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>导出失败</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>导入文件</translation>
    </message>
    <message>
        <source>Import failed</source>
        <translation>导入失败</translation>
    </message>
    <message>
        <source>Import failed, the file does not match</source>
        <translation>导入失败，文件与当前驱动器系列不匹配</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The parameters are imported, Do you wish to perform the write?</source>
        <translation>参数已导入，是否写入驱动器？</translation>
    </message>
    <message>
        <source>Parameters import, number of parameters</source>
        <translation>导入参数，参数个数</translation>
    </message>
    <message>
        <source>Parameters are importing</source>
        <translation>正在导入参数</translation>
    </message>
    <message>
        <source>Administrator</source>
        <translation>管理员</translation>
    </message>
    <message>
        <source>Permission password</source>
        <translation>权限密码</translation>
    </message>
    <message>
        <source>The password is incorrect</source>
        <translation>密码错误</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Communication</source>
        <translation>通讯</translation>
    </message>
    <message>
        <source>Scope</source>
        <translation>示波器</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>运动控制</translation>
    </message>
    <message>
        <source>I/O</source>
        <translation>输入/输出</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>状态监控</translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation>控制面板</translation>
    </message>
    <message>
        <source>Faults Panel</source>
        <translation>故障面板</translation>
    </message>
    <message>
        <source>Parameter Table</source>
        <translation>参数表</translation>
    </message>
    <message>
        <source>ToolBar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>Servo family</source>
        <translation>伺服系列</translation>
    </message>
    <message>
        <source>VFD family</source>
        <translation>变频器系列</translation>
    </message>
    <message>
        <source>Sofe reset</source>
        <translation>软复位</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复出厂</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>恢复出厂参数</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>Connect or disconnect to the device</source>
        <translation>连接或断开设备</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>未使能</translation>
    </message>
    <message>
        <source>Enabling or disabled the current device</source>
        <translation>使能或禁用当前设备</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>工具</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Workspace</source>
        <translation>工作区</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>参数说明</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>控制台</translation>
    </message>
    <message>
        <source>GUI initialization successful</source>
        <translation>界面初始化成功</translation>
    </message>
    <message>
        <source>The application will change the drive family, and then restart.</source>
        <translation>软件将切换驱动器系列，然后重新启动。</translation>
    </message>
    <message>
        <source>Do you wish to continue?</source>
        <translation>您希望继续进行下去吗？</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The current language has changed and takes effect after the restart.</source>
        <translation>界面语言已更改，重启后生效。</translation>
    </message>
    <message>
        <source>Do you wish to restart it now?</source>
        <translation>是否立即重启？</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>No communication with the drive(Off Line)</source>
        <translation>未与驱动器建立通讯（离线）</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>已使能</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The startup files seem to be missing</source>
        <translation>启动文件似乎丢失了</translation>
    </message>
    <message>
        <source>Communication exception, number of retries</source>
        <translation>通讯异常，重试次数</translation>
    </message>
    <message>
        <source>Recovery failed</source>
        <translation>恢复失败</translation>
    </message>
    <message>
        <source>The drive does not answer</source>
        <translation>驱动器无应答</translation>
    </message>
</context>
<context>
    <name>QXml</name>
    <message>
        <source>error triggered by consumer</source>
        <translation>由使用者触发的错误</translation>
    </message>
    <message>
        <source>unexpected end of file</source>
        <translation>文件意外结束</translation>
    </message>
    <message>
        <source>more than one document type definition</source>
        <translation>存在多个文档类型定义</translation>
    </message>
    <message>
        <source>error occurred while parsing element</source>
        <translation>解析元素时出错</translation>
    </message>
    <message>
        <source>tag mismatch</source>
        <translation>标签不匹配</translation>
    </message>
    <message>
        <source>error occurred while parsing content</source>
        <translation>解析内容时出错</translation>
    </message>
    <message>
        <source>unexpected character</source>
        <translation>意外的字符</translation>
    </message>
    <message>
        <source>invalid name for processing instruction</source>
        <translation>处理指令的名称无效</translation>
    </message>
    <message>
        <source>version expected while reading the XML declaration</source>
        <translation>读取 XML 声明时缺少版本</translation>
    </message>
    <message>
        <source>wrong value for standalone declaration</source>
        <translation>独立声明的值错误</translation>
    </message>
    <message>
        <source>encoding declaration or standalone declaration expected while reading the XML declaration</source>
        <translation>读取 XML 声明时缺少编码声明或独立声明</translation>
    </message>
    <message>
        <source>standalone declaration expected while reading the XML declaration</source>
        <translation>读取 XML 声明时缺少独立声明</translation>
    </message>
    <message>
        <source>error occurred while parsing document type definition</source>
        <translation>解析文档类型定义时出错</translation>
    </message>
    <message>
        <source>letter is expected</source>
        <translation>此处应为字母</translation>
    </message>
    <message>
        <source>error occurred while parsing comment</source>
        <translation>解析注释时出错</translation>
    </message>
    <message>
        <source>error occurred while parsing reference</source>
        <translation>解析引用时出错</translation>
    </message>
    <message>
        <source>internal general entity reference not allowed in DTD</source>
        <translation>DTD 中不允许引用内部通用实体</translation>
    </message>
    <message>
        <source>external parsed general entity reference not allowed in attribute value</source>
        <translation>属性值中不允许引用外部已解析通用实体</translation>
    </message>
    <message>
        <source>external parsed general entity reference not allowed in DTD</source>
        <translation>DTD 中不允许引用外部已解析通用实体</translation>
    </message>
    <message>
        <source>unparsed entity reference in wrong context</source>
        <translation>未解析实体的引用位置错误</translation>
    </message>
    <message>
        <source>recursive entities</source>
        <translation>实体递归引用</translation>
    </message>
    <message>
        <source>error in the text declaration of an external entity</source>
        <translation>外部实体的文本声明有误</translation>
    </message>
</context>
<context>
    <name>RMessageBox</name>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>WidgetBase</name>
    <message>
        <source>No communication with the drive(Off Line)</source>
        <translation>未与驱动器建立通讯（离线）</translation>
    </message>
</context>
</TS>
