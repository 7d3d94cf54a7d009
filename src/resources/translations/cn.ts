<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BatchProgressDialog</name>
    <message>
        <source>Please wait</source>
        <translation>请等待</translation>
    </message>
</context>
<context>
    <name>BusLink</name>
    <message>
        <source>%1, slave address %2</source>
        <translation>%1，从站地址 %2</translation>
    </message>
    <message>
        <source>%1 %2, unit id %3</source>
        <translation>%1 %2，单元标识 %3</translation>
    </message>
    <message>
        <source>%1 %2, slave address %3</source>
        <translation>%1 %2，从站地址 %3</translation>
    </message>
</context>
<context>
    <name>BusMonitorModel</name>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>功能码</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>Latency (ms)</source>
        <translation>延时 (ms)</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Request bytes</source>
        <translation>请求报文</translation>
    </message>
    <message>
        <source>Reply bytes</source>
        <translation>应答报文</translation>
    </message>
    <message>
        <source>Illegal function</source>
        <translation>非法功能码</translation>
    </message>
    <message>
        <source>Illegal data address</source>
        <translation>非法数据地址</translation>
    </message>
    <message>
        <source>Illegal data value</source>
        <translation>非法数据值</translation>
    </message>
    <message>
        <source>Server device failure</source>
        <translation>从站设备故障</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>已确认</translation>
    </message>
    <message>
        <source>Server device busy</source>
        <translation>从站设备忙</translation>
    </message>
    <message>
        <source>Memory parity error</source>
        <translation>存储奇偶校验错误</translation>
    </message>
    <message>
        <source>Gateway path unavailable</source>
        <translation>网关路径不可用</translation>
    </message>
    <message>
        <source>Gateway target device failed to respond</source>
        <translation>网关目标设备无响应</translation>
    </message>
    <message>
        <source>Unknown exception</source>
        <translation>未知异常</translation>
    </message>
    <message>
        <source>Read holding registers</source>
        <translation>读保持寄存器</translation>
    </message>
    <message>
        <source>Write single register</source>
        <translation>写单个寄存器</translation>
    </message>
    <message>
        <source>Write multiple registers</source>
        <translation>写多个寄存器</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>timeout</source>
        <translation>超时</translation>
    </message>
    <message>
        <source>exception</source>
        <translation>异常</translation>
    </message>
    <message>
        <source>CRC error</source>
        <translation>CRC 校验错误</translation>
    </message>
    <message>
        <source>link error</source>
        <translation>链路错误</translation>
    </message>
    <message>
        <source>(connection test)</source>
        <translation>（连接测试）</translation>
    </message>
</context>
<context>
    <name>BusMonitorWidget</name>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Save the transactions in the list to a CSV file</source>
        <translation>将列表中的通讯记录保存为 CSV 文件</translation>
    </message>
    <message>
        <source>Save as…</source>
        <translation>另存为…</translation>
    </message>
    <message>
        <source>Raw bytes</source>
        <translation>原始报文</translation>
    </message>
    <message>
        <source>Filter by tag or address</source>
        <translation>按标签或地址筛选</translation>
    </message>
    <message>
        <source>Requests: %1</source>
        <translation>请求数：%1</translation>
    </message>
    <message>
        <source>Failures: %1 (timeout %2, exception %3, CRC %4, link %5)</source>
        <translation>失败：%1（超时 %2，异常 %3，CRC %4，链路 %5）</translation>
    </message>
    <message>
        <source>%1 transactions/s</source>
        <translation>%1 次/秒</translation>
    </message>
    <message>
        <source>Latency: mean %1 ms, worst %2 ms</source>
        <translation>延时：平均 %1 ms，最大 %2 ms</translation>
    </message>
    <message>
        <source>Scope samples: %1</source>
        <translation>示波器采样：%1</translation>
    </message>
    <message>
        <source>%1 transactions wait for Resume</source>
        <translation>%1 条记录等待继续后显示</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;Text files (*.txt)</source>
        <translation>CSV 文件 (*.csv);;文本文件 (*.txt)</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The bus monitor log could not be written</source>
        <translation>无法写入总线监视记录</translation>
    </message>
    <message>
        <source>Bus monitor log saved</source>
        <translation>总线监视记录已保存</translation>
    </message>
</context>
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
    <name>Communication</name>
    <message>
        <source>no host name or address was given</source>
        <translation>未填写主机名或地址</translation>
    </message>
    <message>
        <source>The stop for the drive at %1 was never sent: the connection now goes to %2. That drive may still be moving; stop it there</source>
        <translation>%1 处驱动器的停机命令未能发出：当前连接已改为 %2。该驱动器可能仍在运动，请在现场将其停下</translation>
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
    <message>
        <source>Kestrova is free software under the %1 and comes with absolutely no warranty. Its scope plots with QCustomPlot, licensed under the GNU GPL version 3.</source>
        <translation>Kestrova 是自由软件，依据%1发布，不提供任何担保。其示波器使用 QCustomPlot 绘图，QCustomPlot 依据 GNU GPL 第 3 版授权。</translation>
    </message>
    <message>
        <source>GNU General Public License, version 3 or later</source>
        <translation>GNU 通用公共许可证第 3 版或更高版本</translation>
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
    <message>
        <source>Search the port for drives at other baud rates, framings and slave addresses</source>
        <translation>在端口上以其他波特率、帧格式和从站地址搜索驱动器</translation>
    </message>
    <message>
        <source>Find drive</source>
        <translation>查找驱动器</translation>
    </message>
    <message>
        <source>Settings taken from the drive found: %1 baud, %2, slave address %3</source>
        <translation>已采用找到的驱动器设置：%1 波特，%2，从站地址 %3</translation>
    </message>
    <message>
        <source>Cannot open serial device</source>
        <translation>无法打开串口设备</translation>
    </message>
    <message>
        <source>the port %1 that you typed does not exist; check the path</source>
        <translation>您输入的端口 %1 不存在，请检查路径</translation>
    </message>
    <message>
        <source>no drive answered at slave address %1 on %2 (%3 baud, %4 data bits, parity %5, %6 stop bits). Check that the drive is powered and wired (A to A, B to B) and that its slave address and serial settings match these; Find drive looks for it at every setting</source>
        <translation>%2 上从站地址 %1 没有驱动器应答（%3 波特，%4 数据位，%5，%6 停止位）。请检查驱动器是否上电、接线是否正确（A 接 A，B 接 B），以及其从站地址和串口设置是否与此一致；“查找驱动器”可按所有设置搜索</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>主机</translation>
    </message>
    <message>
        <source>Host name or IP address of the Modbus TCP gateway or serial device server</source>
        <translation>Modbus TCP 网关或串口服务器的主机名或 IP 地址</translation>
    </message>
    <message>
        <source>TCP port</source>
        <translation>TCP 端口</translation>
    </message>
    <message>
        <source>e.g. 192.168.1.20</source>
        <translation>例如 192.168.1.20</translation>
    </message>
    <message>
        <source>Please enter the host name or IP address of the gateway to connect</source>
        <translation>请输入要连接的网关的主机名或 IP 地址</translation>
    </message>
    <message>
        <source>no drive answered at slave address %1 through %2. Check that the drive is powered and wired to the gateway, and that its slave address and serial settings match the gateway&apos;s</source>
        <translation>通过 %2 在从站地址 %1 上没有驱动器应答。请检查驱动器是否上电并已接到网关，以及其从站地址和串口设置是否与网关一致</translation>
    </message>
    <message>
        <source>Slave address taken from the drive found through %1: %2</source>
        <translation>已采用通过 %1 找到的驱动器的从站地址：%2</translation>
    </message>
</context>
<context>
    <name>GUI_ControlPanel</name>
    <message>
        <source>Control information</source>
        <translation>控制信息</translation>
    </message>
    <message>
        <source>Running frequency</source>
        <translation>运行频率</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>正转</translation>
    </message>
    <message>
        <source>Backward</source>
        <translation>反转</translation>
    </message>
    <message>
        <source>Forward Jog</source>
        <translation>正转点动</translation>
    </message>
    <message>
        <source>Backward Jog</source>
        <translation>反转点动</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停机</translation>
    </message>
    <message>
        <source>Fault reset</source>
        <translation>故障复位</translation>
    </message>
    <message>
        <source>Monitor information</source>
        <translation>监视信息</translation>
    </message>
    <message>
        <source>Running velocity</source>
        <translation>运行速度</translation>
    </message>
    <message>
        <source>Setting velocity</source>
        <translation>设定速度</translation>
    </message>
    <message>
        <source>Busbar voltage</source>
        <translation>母线电压</translation>
    </message>
    <message>
        <source>Output voltage</source>
        <translation>输出电压</translation>
    </message>
    <message>
        <source>Output current</source>
        <translation>输出电流</translation>
    </message>
    <message>
        <source>Output torque</source>
        <translation>输出转矩</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Running state</source>
        <translation>运行状态</translation>
    </message>
    <message>
        <source>Fault code</source>
        <translation>故障代码</translation>
    </message>
    <message>
        <source>Fault information</source>
        <translation>故障信息</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Corotation</source>
        <translation>正转运行</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>反转运行</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>未知故障</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The drive is running. Stop it before closing?</source>
        <translation>驱动器正在运行。关闭前要停止它吗？</translation>
    </message>
    <message>
        <source>Leave running</source>
        <translation>保持运行</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>GUI_FaultPanel</name>
    <message>
        <source>Form</source>
        <translation>表单</translation>
    </message>
</context>
<context>
    <name>GUI_FindDrive</name>
    <message>
        <source>Find drive</source>
        <translation>查找驱动器</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Baud rates</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Baud rates to try, separated by commas</source>
        <translation>要尝试的波特率，以逗号分隔</translation>
    </message>
    <message>
        <source>Framings</source>
        <translation>帧格式</translation>
    </message>
    <message>
        <source>Slave addresses</source>
        <translation>从站地址</translation>
    </message>
    <message>
        <source>to</source>
        <translation>至</translation>
    </message>
    <message>
        <source>Adapter latency</source>
        <translation>适配器延迟</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> 毫秒</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>帧格式</translation>
    </message>
    <message>
        <source>Slave Addr</source>
        <translation>从站地址</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>应答</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>使用</translation>
    </message>
    <message>
        <source>Take the chosen setting and address into the connection page</source>
        <translation>将所选设置和地址填入连接页面</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Extra wait for the serial adapter: USB adapters hold received bytes up to their latency timer (16 ms for the common FTDI type)</source>
        <translation>为串口适配器额外等待的时间：USB 适配器会将收到的字节暂存至其延迟定时器到期（常见的 FTDI 型为 16 毫秒）</translation>
    </message>
    <message>
        <source>Press Start to search the port</source>
        <translation>按“开始”搜索该端口</translation>
    </message>
    <message>
        <source>Not a baud rate: %1</source>
        <translation>不是有效的波特率：%1</translation>
    </message>
    <message>
        <source>Enter at least one baud rate</source>
        <translation>请至少输入一个波特率</translation>
    </message>
    <message>
        <source>Choose at least one framing</source>
        <translation>请至少选择一种帧格式</translation>
    </message>
    <message>
        <source>The first address is above the last</source>
        <translation>起始地址大于结束地址</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>wait per silent address at %1 %2: %3 ms</source>
        <translation>在 %1 %2 下每个无应答地址等待 %3 毫秒</translation>
    </message>
    <message>
        <source>Stopping</source>
        <translation>正在停止</translation>
    </message>
    <message>
        <source>Exception %1</source>
        <translation>异常 %1</translation>
    </message>
    <message>
        <source>Valid reply</source>
        <translation>有效应答</translation>
    </message>
    <message>
        <source>%1 of %2 combinations tried, %3 found, about %4 left</source>
        <translation>已尝试 %1/%2 种组合，找到 %3 个，约剩 %4</translation>
    </message>
    <message>
        <source>No drive answered</source>
        <translation>没有驱动器应答</translation>
    </message>
    <message>
        <source>Search completed, %1 found</source>
        <translation>搜索完成，找到 %1 个</translation>
    </message>
    <message>
        <source>Stopped, %1 found</source>
        <translation>已停止，找到 %1 个</translation>
    </message>
    <message>
        <source>The port cannot be used: %1</source>
        <translation>无法使用该端口：%1</translation>
    </message>
    <message>
        <source>not supported by the port: %1</source>
        <translation>端口不支持：%1</translation>
    </message>
    <message>
        <source>Unit ids</source>
        <translation>单元标识</translation>
    </message>
    <message>
        <source>wait per silent unit id: %1 ms</source>
        <translation>每个无应答单元标识等待 %1 毫秒</translation>
    </message>
    <message>
        <source>Press Start to ask every unit id of the range through %1</source>
        <translation>按“开始”通过 %1 询问范围内的每个单元标识</translation>
    </message>
    <message>
        <source>%1 of %2 unit ids tried, %3 found, about %4 left</source>
        <translation>已尝试 %1/%2 个单元标识，找到 %3 个，约剩 %4</translation>
    </message>
    <message>
        <source>No connection: %1</source>
        <translation>无法连接：%1</translation>
    </message>
</context>
<context>
    <name>GUI_IO</name>
    <message>
        <source>Value</source>
        <translation>功能</translation>
    </message>
    <message>
        <source>Level Control</source>
        <translation>电平控制</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>信号</translation>
    </message>
    <message>
        <source>Digital Input DI1</source>
        <translation>数字输入 DI1</translation>
    </message>
    <message>
        <source>Digital Input DI2</source>
        <translation>数字输入 DI2</translation>
    </message>
    <message>
        <source>Digital Input DI3</source>
        <translation>数字输入 DI3</translation>
    </message>
    <message>
        <source>Digital Input DI4</source>
        <translation>数字输入 DI4</translation>
    </message>
    <message>
        <source>Digital Input DI5</source>
        <translation>数字输入 DI5</translation>
    </message>
    <message>
        <source>Digital Input DI6</source>
        <translation>数字输入 DI6</translation>
    </message>
    <message>
        <source>Digital Input DI7</source>
        <translation>数字输入 DI7</translation>
    </message>
    <message>
        <source>Digital Input DI8</source>
        <translation>数字输入 DI8</translation>
    </message>
    <message>
        <source>Digital Output DO1</source>
        <translation>数字输出 DO1</translation>
    </message>
    <message>
        <source>Digital Output DO2</source>
        <translation>数字输出 DO2</translation>
    </message>
    <message>
        <source>Digital Output DO3</source>
        <translation>数字输出 DO3</translation>
    </message>
    <message>
        <source>Digital Output DO4</source>
        <translation>数字输出 DO4</translation>
    </message>
    <message>
        <source>Digital Output DO5</source>
        <translation>数字输出 DO5</translation>
    </message>
    <message>
        <source>Digital Output DO6</source>
        <translation>数字输出 DO6</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>No function</source>
        <translation>无功能</translation>
    </message>
    <message>
        <source>Servo enable</source>
        <translation>伺服使能</translation>
    </message>
    <message>
        <source>Alarm clearance</source>
        <translation>报警清除</translation>
    </message>
    <message>
        <source>Positive drive prohibited</source>
        <translation>正向驱动禁止</translation>
    </message>
    <message>
        <source>Reverse drive prohibited</source>
        <translation>反向驱动禁止</translation>
    </message>
    <message>
        <source>Positive torque limit</source>
        <translation>正向转矩限制</translation>
    </message>
    <message>
        <source>Reverse torque limit</source>
        <translation>反向转矩限制</translation>
    </message>
    <message>
        <source>Zero tachymosis position</source>
        <translation>零速箝位</translation>
    </message>
    <message>
        <source>Zero instruction</source>
        <translation>指令清零</translation>
    </message>
    <message>
        <source>Directive reversion</source>
        <translation>指令取反</translation>
    </message>
    <message>
        <source>Speed selection 1</source>
        <translation>速度选择 1</translation>
    </message>
    <message>
        <source>Speed selection 2</source>
        <translation>速度选择 2</translation>
    </message>
    <message>
        <source>Torque selection 1</source>
        <translation>转矩选择 1</translation>
    </message>
    <message>
        <source>Torque selection 2</source>
        <translation>转矩选择 2</translation>
    </message>
    <message>
        <source>Composite mode controls the mode setting</source>
        <translation>复合模式控制模式切换</translation>
    </message>
    <message>
        <source>Electronic gear selection 1</source>
        <translation>电子齿轮选择 1</translation>
    </message>
    <message>
        <source>Electronic gear selection 2</source>
        <translation>电子齿轮选择 2</translation>
    </message>
    <message>
        <source>Location deviation clearance</source>
        <translation>位置偏差清除</translation>
    </message>
    <message>
        <source>Pulse input is prohibited</source>
        <translation>脉冲输入禁止</translation>
    </message>
    <message>
        <source>Forward move</source>
        <translation>正向点动</translation>
    </message>
    <message>
        <source>Reverse move</source>
        <translation>反向点动</translation>
    </message>
    <message>
        <source>The internal position control command stops</source>
        <translation>内部位置指令停止</translation>
    </message>
    <message>
        <source>Internal location, Command trigger</source>
        <translation>内部位置指令触发</translation>
    </message>
    <message>
        <source>The internal position command selects the 0</source>
        <translation>内部位置指令选择 0</translation>
    </message>
    <message>
        <source>The internal position command selects the 1</source>
        <translation>内部位置指令选择 1</translation>
    </message>
    <message>
        <source>The internal position command selects the 2</source>
        <translation>内部位置指令选择 2</translation>
    </message>
    <message>
        <source>Start origin regression</source>
        <translation>启动原点回归</translation>
    </message>
    <message>
        <source>The origin of the return</source>
        <translation>原点开关</translation>
    </message>
    <message>
        <source>Modbus slave number 0</source>
        <translation>Modbus 从站地址 0</translation>
    </message>
    <message>
        <source>Modbus slave number 1</source>
        <translation>Modbus 从站地址 1</translation>
    </message>
    <message>
        <source>Modbus slave number 2</source>
        <translation>Modbus 从站地址 2</translation>
    </message>
    <message>
        <source>Modbus slave number 3</source>
        <translation>Modbus 从站地址 3</translation>
    </message>
    <message>
        <source>Always output ON</source>
        <translation>始终输出 ON</translation>
    </message>
    <message>
        <source>Servo ready</source>
        <translation>伺服准备好</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>报警</translation>
    </message>
    <message>
        <source>Zero-speed</source>
        <translation>零速</translation>
    </message>
    <message>
        <source>Positioning completed</source>
        <translation>定位完成</translation>
    </message>
    <message>
        <source>Speed to reach</source>
        <translation>速度到达</translation>
    </message>
    <message>
        <source>Torque arrived</source>
        <translation>转矩到达</translation>
    </message>
    <message>
        <source>Magnetic brake</source>
        <translation>电磁制动器</translation>
    </message>
    <message>
        <source>Servo running</source>
        <translation>伺服运行</translation>
    </message>
    <message>
        <source>Positioning is close</source>
        <translation>定位接近</translation>
    </message>
    <message>
        <source>Torque limit</source>
        <translation>转矩限制中</translation>
    </message>
    <message>
        <source>Speed limit</source>
        <translation>速度限制中</translation>
    </message>
    <message>
        <source>Same speed</source>
        <translation>速度一致</translation>
    </message>
    <message>
        <source>Origin regression completed</source>
        <translation>原点回归完成</translation>
    </message>
    <message>
        <source>The internal location command completes</source>
        <translation>内部位置指令完成</translation>
    </message>
    <message>
        <source>Z signal output</source>
        <translation>Z 信号输出</translation>
    </message>
    <message>
        <source>Represents high level effective</source>
        <translation>高电平有效</translation>
    </message>
    <message>
        <source>Represents low level effective</source>
        <translation>低电平有效</translation>
    </message>
    <message>
        <source>Read the IO settings from the drive first</source>
        <translation>请先从驱动器读取IO设置</translation>
    </message>
    <message>
        <source>Unknown function</source>
        <translation>未知功能</translation>
    </message>
</context>
<context>
    <name>GUI_Monitor</name>
    <message>
        <source>Velocity</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Position CMD</source>
        <translation>位置指令</translation>
    </message>
    <message>
        <source>Position Error</source>
        <translation>位置偏差</translation>
    </message>
    <message>
        <source>Torque</source>
        <translation>转矩</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Control Mode</source>
        <translation>控制模式</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Velocity CMD</source>
        <translation>速度指令</translation>
    </message>
    <message>
        <source>Torque CMD</source>
        <translation>转矩指令</translation>
    </message>
    <message>
        <source>ST Absolute Position</source>
        <translation>单圈绝对位置</translation>
    </message>
    <message>
        <source>Input State</source>
        <translation>输入状态</translation>
    </message>
    <message>
        <source>Output State</source>
        <translation>输出状态</translation>
    </message>
    <message>
        <source>Encoder Input Signal</source>
        <translation>编码器输入信号</translation>
    </message>
    <message>
        <source>Bus Voltage</source>
        <translation>母线电压</translation>
    </message>
    <message>
        <source>Alarm Code</source>
        <translation>报警代码</translation>
    </message>
    <message>
        <source>Logic Chip Version</source>
        <translation>逻辑芯片版本</translation>
    </message>
    <message>
        <source>Relay Suction State</source>
        <translation>继电器吸合状态</translation>
    </message>
    <message>
        <source>Running State</source>
        <translation>运行状态</translation>
    </message>
    <message>
        <source>Absolute Position</source>
        <translation>绝对位置</translation>
    </message>
    <message>
        <source>Enable State</source>
        <translation>使能状态</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>未使能</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>已使能</translation>
    </message>
</context>
<context>
    <name>GUI_Motion</name>
    <message>
        <source>Operation Mode</source>
        <translation>运行模式</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Jog</source>
        <translation>点动</translation>
    </message>
    <message>
        <source>Backward</source>
        <translation>反转</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>正转</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>连续</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>脉冲数</translation>
    </message>
    <message>
        <source>Wait Time</source>
        <translation>等待时间</translation>
    </message>
    <message>
        <source>Serial Velocity</source>
        <translation>通讯速度模式</translation>
    </message>
    <message>
        <source>Serial Position</source>
        <translation>通讯位置模式</translation>
    </message>
    <message>
        <source>The pulse count is beyond the range the drive can take (%1 to %2)</source>
        <translation>脉冲数超出驱动器可接受的范围（%1 至 %2）</translation>
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
    <message>
        <source>Compare the drive with a parameter file and write the values you choose</source>
        <translation>将驱动器与参数文件比较，并写入所选的值</translation>
    </message>
    <message>
        <source>Compare with file…</source>
        <translation>与文件比较…</translation>
    </message>
    <message>
        <source>Compare with file</source>
        <translation>与文件比较</translation>
    </message>
    <message>
        <source>Comparison failed</source>
        <translation>比较失败</translation>
    </message>
    <message>
        <source>Comparison failed, the file does not match</source>
        <translation>比较失败，文件与当前驱动器系列不匹配</translation>
    </message>
    <message>
        <source>The file holds no value to compare with the drive</source>
        <translation>文件中没有可与驱动器比较的值</translation>
    </message>
</context>
<context>
    <name>GUI_Scope</name>
    <message>
        <source>Continuous collection</source>
        <translation>连续采集</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Adaptive XY axis</source>
        <translation>自适应XY轴</translation>
    </message>
    <message>
        <source>Select zoom (Left button)</source>
        <translation>框选缩放（左键）</translation>
    </message>
    <message>
        <source>Drag (Middle button)</source>
        <translation>拖动（中键）</translation>
    </message>
    <message>
        <source>Zoom (Mouse wheel)</source>
        <translation>缩放（鼠标滚轮）</translation>
    </message>
    <message>
        <source>Show legend</source>
        <translation>显示图例</translation>
    </message>
    <message>
        <source>Cursor tracking</source>
        <translation>光标跟踪</translation>
    </message>
    <message>
        <source>Nonius measurement</source>
        <translation>游标测量</translation>
    </message>
    <message>
        <source>Clear Graphs</source>
        <translation>清除曲线</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>截图</translation>
    </message>
    <message>
        <source>Import curves</source>
        <translation>导入曲线</translation>
    </message>
    <message>
        <source>Emport curves</source>
        <translation>导出曲线</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Charts</source>
        <translation>图表</translation>
    </message>
    <message>
        <source>Record Variables</source>
        <translation>记录变量</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
    </message>
    <message>
        <source>Please select the object to observe first</source>
        <translation>请先选择要观测的对象</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>The collection quantity exceeds the upper limit</source>
        <translation>采集数量超过上限</translation>
    </message>
    <message>
        <source>Import failed</source>
        <translation>导入失败</translation>
    </message>
    <message>
        <source>Export curves</source>
        <translation>导出曲线</translation>
    </message>
    <message>
        <source>Export successful</source>
        <translation>导出成功</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>导出失败</translation>
    </message>
    <message>
        <source>Screenshot saving failed</source>
        <translation>截图保存失败</translation>
    </message>
    <message>
        <source>The screenshot is saved successfully</source>
        <translation>截图保存成功</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Auto Y: keep each chart fitted to its data while running</source>
        <translation>自动Y轴：运行时使每个图表适应其数据</translation>
    </message>
    <message>
        <source>Record to file</source>
        <translation>记录到文件</translation>
    </message>
    <message>
        <source>Sampling</source>
        <translation>采样</translation>
    </message>
    <message>
        <source>Standard: one read per variable, every 50 ms per variable. Fast: block reads one after another, as fast as the line allows</source>
        <translation>标准：每个变量单独读取，每个变量50 ms。快速：连续块读取，以线路允许的最快速度</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>触发</translation>
    </message>
    <message>
        <source>Normal: a window at every crossing of the level; Single: one window, then sampling pauses; Auto: as Normal, rolling on while no crossing comes</source>
        <translation>常规：每次穿越电平捕获一个窗口；单次：捕获一个窗口后暂停采样；自动：同常规，无穿越时持续滚动</translation>
    </message>
    <message>
        <source>Variable whose level starts a capture</source>
        <translation>其电平启动捕获的变量</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>电平</translation>
    </message>
    <message>
        <source>Pre-trigger</source>
        <translation>预触发</translation>
    </message>
    <message>
        <source>Share of the window before the crossing</source>
        <translation>穿越点之前的窗口比例</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Length of a captured window</source>
        <translation>捕获窗口的长度</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>保留</translation>
    </message>
    <message>
        <source>How much of a recording is kept on screen; older points are dropped</source>
        <translation>屏幕上保留多长的记录；更早的点将被丢弃</translation>
    </message>
    <message>
        <source>Samples per second of each variable</source>
        <translation>每个变量每秒的采样数</translation>
    </message>
    <message>
        <source>Recording to file stopped: %1</source>
        <translation>记录到文件已停止：%1</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快速</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>单次</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Rising</source>
        <translation>上升沿</translation>
    </message>
    <message>
        <source>Falling</source>
        <translation>下降沿</translation>
    </message>
    <message>
        <source>1 min</source>
        <translation>1 分钟</translation>
    </message>
    <message>
        <source>10 min</source>
        <translation>10 分钟</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 小时</translation>
    </message>
    <message>
        <source>8 h</source>
        <translation>8 小时</translation>
    </message>
    <message>
        <source>Recording to file failed: %1</source>
        <translation>记录到文件失败：%1</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/秒</translation>
    </message>
    <message>
        <source>Single capture at %1 s</source>
        <translation>单次捕获于 %1 秒</translation>
    </message>
    <message>
        <source>Captured at %1 s</source>
        <translation>捕获于 %1 秒</translation>
    </message>
    <message>
        <source>Triggered</source>
        <translation>已触发</translation>
    </message>
    <message>
        <source>No trigger: rolling</source>
        <translation>无触发：滚动显示</translation>
    </message>
    <message>
        <source>Waiting for trigger</source>
        <translation>等待触发</translation>
    </message>
    <message>
        <source>Older points dropped: keeping the last %1</source>
        <translation>已丢弃较早的点：保留最近 %1</translation>
    </message>
    <message>
        <source>Recording to %1</source>
        <translation>正在记录到 %1</translation>
    </message>
</context>
<context>
    <name>GUI_ScopeNonius</name>
    <message>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>Lock the distance between line A and line B</source>
        <translation>锁定A线与B线之间的距离</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>图表</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>B-A</source>
        <translation>B-A</translation>
    </message>
    <message>
        <source>Nonius measurement</source>
        <translation>游标测量</translation>
    </message>
</context>
<context>
    <name>GUI_ScopeSetting</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Nonius tracking</source>
        <translation>游标跟踪</translation>
    </message>
    <message>
        <source>Cursor style:</source>
        <translation>光标样式：</translation>
    </message>
    <message>
        <source>Cursor size:</source>
        <translation>光标大小：</translation>
    </message>
    <message>
        <source>Interpolation:</source>
        <translation>插值：</translation>
    </message>
    <message>
        <source>Sets whether the value of the graph&apos;s data points shall be interpolated, when positioning the tracer.</source>
        <translation>设置定位光标时是否对曲线数据点的值进行插值。</translation>
    </message>
    <message>
        <source>Use linear interpolation</source>
        <translation>使用线性插值</translation>
    </message>
    <message>
        <source>Nonius measurement</source>
        <translation>游标测量</translation>
    </message>
    <message>
        <source>Line size:</source>
        <translation>线宽：</translation>
    </message>
    <message>
        <source>Line A color:</source>
        <translation>A线颜色：</translation>
    </message>
    <message>
        <source>Line B color:</source>
        <translation>B线颜色：</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>十字</translation>
    </message>
    <message>
        <source>Crosshair</source>
        <translation>十字准线</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>圆形</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>方形</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
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
    <message>
        <source>Bus monitor</source>
        <translation>总线监视器</translation>
    </message>
</context>
<context>
    <name>ModbusDevice</name>
    <message>
        <source>%1 answered that the drive at address %2 did not respond (Modbus exception 0B, gateway target device failed to respond). Check that the drive is powered and wired to the gateway, and that its address and serial settings match the gateway&apos;s</source>
        <translation>%1 回复地址 %2 处的驱动器无响应（Modbus 异常 0B，网关目标设备无响应）。请检查驱动器是否上电并已接到网关，以及其地址和串口设置是否与网关一致</translation>
    </message>
</context>
<context>
    <name>ParamCompareDialog</name>
    <message>
        <source>Compare with file</source>
        <translation>与文件比较</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Write the ticked values</source>
        <translation>写入勾选的值</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Drive value</source>
        <translation>驱动器值</translation>
    </message>
    <message>
        <source>File value</source>
        <translation>文件值</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Comparison with a file, number of parameters</source>
        <translation>与文件比较，参数个数</translation>
    </message>
    <message>
        <source>Reading the drive&apos;s values...</source>
        <translation>正在读取驱动器的值...</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>The drive holds the file&apos;s value of every parameter compared (%1).</source>
        <translation>比较的全部参数（%1 个）中，驱动器的值均与文件一致。</translation>
    </message>
    <message>
        <source>%1 of the %2 parameters compared differ from the file.</source>
        <translation>比较的 %2 个参数中，有 %1 个与文件不一致。</translation>
    </message>
    <message>
        <source>Not compared: %1 read-only, %2 not in this device version, %3 without a usable value.</source>
        <translation>未比较：%1 个只读，%2 个不属于此设备版本，%3 个没有可用的值。</translation>
    </message>
    <message>
        <source>Writing values from the file, number of parameters</source>
        <translation>写入文件中的值，参数个数</translation>
    </message>
    <message>
        <source>Written and verified</source>
        <translation>已写入并校验</translation>
    </message>
    <message>
        <source>Not kept by the drive</source>
        <translation>驱动器未保留</translation>
    </message>
    <message>
        <source>Write failed</source>
        <translation>写入失败</translation>
    </message>
    <message>
        <source>Written, read-back failed</source>
        <translation>已写入，回读失败</translation>
    </message>
    <message>
        <source>Written, not verified</source>
        <translation>已写入，未校验</translation>
    </message>
    <message>
        <source>Not written</source>
        <translation>未写入</translation>
    </message>
    <message>
        <source>The drive&apos;s values could not all be read: nothing was compared.</source>
        <translation>未能读取驱动器的全部值，未进行比较。</translation>
    </message>
    <message>
        <source>Values from the file verified: %1, not kept by the drive: %2, failed: %3</source>
        <translation>文件中的值已校验：%1，驱动器未保留：%2，失败：%3</translation>
    </message>
</context>
<context>
    <name>ParamTableModel</name>
    <message>
        <source>Read only</source>
        <translation>只读</translation>
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
        <source>Adaptive X axis</source>
        <translation>自适应X轴</translation>
    </message>
    <message>
        <source>Adaptive Y axis</source>
        <translation>自适应Y轴</translation>
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
    <name>RtuOverTcp</name>
    <message>
        <source>no host name or address was given</source>
        <translation>未填写主机名或地址</translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>截图范围：( %1 x %2 ) - ( %3 x %4 )  图片大小：( %5 x %6 )</source>
        <translation>截图范围：( %1 x %2 ) - ( %3 x %4 )  图片大小：( %5 x %6 )</translation>
    </message>
</context>
<context>
    <name>SerialAdapter</name>
    <message>
        <source>run %1 (it lasts until the adapter is unplugged), or install the Kestrova package, whose udev rule sets it whenever the adapter is plugged in</source>
        <translation>运行 %1（在拔下适配器之前有效），或安装 Kestrova 软件包，其 udev 规则会在每次插入适配器时设置</translation>
    </message>
    <message>
        <source>unplug the adapter and plug it in again, and the installed udev rule %1 sets it; or run %2</source>
        <translation>拔下适配器后重新插入，已安装的 udev 规则 %1 会完成设置；或运行 %2</translation>
    </message>
    <message>
        <source>%1 is an FTDI adapter whose latency timer is %2 ms: it holds every answer of the drive up to %2 ms before passing it on, which makes each transaction up to %2 ms longer. Set the timer to 1 ms: %3</source>
        <translation>%1 是 FTDI 适配器，其延迟定时器为 %2 毫秒：驱动器的每个应答最多被扣留 %2 毫秒才转发，每次通讯因此最多延长 %2 毫秒。请将定时器设为 1 毫秒：%3</translation>
    </message>
</context>
<context>
    <name>SerialPortDiagnosis</name>
    <message>
        <source>permission denied: your account &quot;%1&quot; was added to the group &quot;%2&quot; that may use %3, but this login started before that. Log out and log in again (or restart the computer), then connect again</source>
        <translation>权限不足：您的账户“%1”已加入可使用 %3 的用户组“%2”，但当前登录早于此更改。请注销后重新登录（或重启计算机），然后再次连接</translation>
    </message>
    <message>
        <source>permission denied: your account &quot;%1&quot; is not in the group &quot;%2&quot; that may use %3. Add it with the command: sudo usermod -aG %2 %1 — then log out and log in again, as a new group takes effect only at a new login</source>
        <translation>权限不足：您的账户“%1”不在可使用 %3 的用户组“%2”中。请用以下命令加入：sudo usermod -aG %2 %1 —— 然后注销并重新登录，新的用户组只在重新登录后生效</translation>
    </message>
    <message>
        <source>permission denied: your account &quot;%1&quot; may not use %2 (owner &quot;%3&quot;, group &quot;%4&quot;). Serial adapters normally belong to the group &quot;dialout&quot;: add your account to it with the command: sudo usermod -aG dialout %1 — then log out and log in again, as a new group takes effect only at a new login</source>
        <translation>权限不足：您的账户“%1”无权使用 %2（所有者“%3”，用户组“%4”）。串口适配器通常属于用户组“dialout”：请用以下命令将账户加入该组：sudo usermod -aG dialout %1 —— 然后注销并重新登录，新的用户组只在重新登录后生效</translation>
    </message>
    <message>
        <source>%1 is in use by another program (%2, process %3). Close that program, then connect again</source>
        <translation>%1 正被另一个程序占用（%2，进程 %3）。请关闭该程序，然后再次连接</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close that program, then connect again</source>
        <translation>%1 正被另一个程序占用。请关闭该程序，然后再次连接</translation>
    </message>
    <message>
        <source>%1 does not exist: the adapter is not plugged in or the path is wrong. Plug it in, then press the Port box to list the ports again</source>
        <translation>%1 不存在：适配器未插入或路径有误。请插入适配器，然后点击端口框重新列出端口</translation>
    </message>
    <message>
        <source>permission denied: your account &quot;%1&quot; may not reach %2, as a folder on its path is closed to it; ask the administrator for access</source>
        <translation>权限不足：您的账户“%1”无法访问 %2，其路径上的某个文件夹不对该账户开放；请联系管理员获取权限</translation>
    </message>
    <message>
        <source>the device behind %1 is gone: the adapter was unplugged or switched off. Plug it in again, then connect again</source>
        <translation>%1 对应的设备已消失：适配器被拔出或已断电。请重新插入，然后再次连接</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>未知错误</translation>
    </message>
    <message>
        <source>The installed udev rule %1 gives USB serial adapters to the user at the computer without the group, but only to adapters plugged in after it was installed: unplug the adapter and plug it in again, then connect again</source>
        <translation>已安装的 udev 规则 %1 无需用户组即可把 USB 串口适配器交给本机前的用户使用，但只对安装之后插入的适配器生效：请拔下适配器后重新插入，再重新连接</translation>
    </message>
    <message>
        <source>The installed udev rule %1 gives USB serial adapters only to the user at the computer, and this login is a remote one (or has no seat): it needs the group</source>
        <translation>已安装的 udev 规则 %1 只把 USB 串口适配器交给本机前的用户使用，而当前登录是远程登录（或没有座席）：需要加入用户组</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>正在连接 %1</translation>
    </message>
    <message>
        <source>Online: %1, %2 baud, slave address %3</source>
        <translation>在线：%1，%2 波特，从站地址 %3</translation>
    </message>
    <message>
        <source>Link lost, reconnecting to %1</source>
        <translation>连接中断，正在重新连接 %1</translation>
    </message>
    <message>
        <source>Closing the connection</source>
        <translation>正在关闭连接</translation>
    </message>
    <message>
        <source>Online: %1</source>
        <translation>在线：%1</translation>
    </message>
</context>
<context>
    <name>TableBatch</name>
    <message>
        <source>The operation is complete</source>
        <translation>操作完成</translation>
    </message>
</context>
<context>
    <name>TcpDiagnosis</name>
    <message>
        <source>%1 refused the connection: nothing listens on that port there. Check the TCP port, and that the gateway or serial server is switched on with its Modbus service enabled</source>
        <translation>%1 拒绝了连接：该端口上没有服务在监听。请检查 TCP 端口，并确认网关或串口服务器已通电且其 Modbus 服务已启用</translation>
    </message>
    <message>
        <source>the host name %1 was not found. Check its spelling, or enter the IP address</source>
        <translation>找不到主机名 %1。请检查拼写，或直接输入 IP 地址</translation>
    </message>
    <message>
        <source>%1 cannot be reached from this computer (%2). Check the network cable, the IP address, and that this computer is in the same network or has a route to it</source>
        <translation>本计算机无法访问 %1（%2）。请检查网线和 IP 地址，并确认本计算机与其处于同一网络或有到达它的路由</translation>
    </message>
    <message>
        <source>%1 closed the connection. The server may take one client at a time and be busy with another, or refuse this computer</source>
        <translation>%1 关闭了连接。该服务器可能一次只接受一个客户端而正忙于另一个，或拒绝本计算机连接</translation>
    </message>
    <message>
        <source> within %1 s</source>
        <translation>（%1 秒内）</translation>
    </message>
    <message>
        <source>%1 did not take the connection%2. Check the IP address; a firewall may be dropping the connection</source>
        <translation>%1 未接受连接%2。请检查 IP 地址；防火墙可能丢弃了该连接</translation>
    </message>
</context>
<context>
    <name>WidgetBase</name>
    <message>
        <source>No communication with the drive(Off Line)</source>
        <translation>未与驱动器建立通讯（离线）</translation>
    </message>
    <message>
        <source>The link is down: the stop goes to the drive as soon as it is back</source>
        <translation>通讯中断：通讯恢复后将立即向驱动器发送停止命令</translation>
    </message>
</context>
</TS>
