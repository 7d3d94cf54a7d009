<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BatchProgressDialog</name>
    <message>
        <source>Please wait</source>
        <translation>Please wait</translation>
    </message>
</context>
<context>
    <name>BusLink</name>
    <message>
        <source>%1, slave address %2</source>
        <translation>%1, slave address %2</translation>
    </message>
    <message>
        <source>%1 %2, unit id %3</source>
        <translation>%1 %2, unit id %3</translation>
    </message>
    <message>
        <source>%1 %2, slave address %3</source>
        <translation>%1 %2, slave address %3</translation>
    </message>
</context>
<context>
    <name>BusMonitorModel</name>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>Latency (ms)</source>
        <translation>Latency (ms)</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Request bytes</source>
        <translation>Request bytes</translation>
    </message>
    <message>
        <source>Reply bytes</source>
        <translation>Reply bytes</translation>
    </message>
    <message>
        <source>Illegal function</source>
        <translation>Illegal function</translation>
    </message>
    <message>
        <source>Illegal data address</source>
        <translation>Illegal data address</translation>
    </message>
    <message>
        <source>Illegal data value</source>
        <translation>Illegal data value</translation>
    </message>
    <message>
        <source>Server device failure</source>
        <translation>Server device failure</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>Acknowledge</translation>
    </message>
    <message>
        <source>Server device busy</source>
        <translation>Server device busy</translation>
    </message>
    <message>
        <source>Memory parity error</source>
        <translation>Memory parity error</translation>
    </message>
    <message>
        <source>Gateway path unavailable</source>
        <translation>Gateway path unavailable</translation>
    </message>
    <message>
        <source>Gateway target device failed to respond</source>
        <translation>Gateway target device failed to respond</translation>
    </message>
    <message>
        <source>Unknown exception</source>
        <translation>Unknown exception</translation>
    </message>
    <message>
        <source>Read holding registers</source>
        <translation>Read holding registers</translation>
    </message>
    <message>
        <source>Write single register</source>
        <translation>Write single register</translation>
    </message>
    <message>
        <source>Write multiple registers</source>
        <translation>Write multiple registers</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>timeout</source>
        <translation>timeout</translation>
    </message>
    <message>
        <source>exception</source>
        <translation>exception</translation>
    </message>
    <message>
        <source>CRC error</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>link error</source>
        <translation>link error</translation>
    </message>
    <message>
        <source>(connection test)</source>
        <translation>(connection test)</translation>
    </message>
</context>
<context>
    <name>BusMonitorWidget</name>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Save the transactions in the list to a CSV file</source>
        <translation>Save the transactions in the list to a CSV file</translation>
    </message>
    <message>
        <source>Save as…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>Raw bytes</source>
        <translation>Raw bytes</translation>
    </message>
    <message>
        <source>Filter by tag or address</source>
        <translation>Filter by tag or address</translation>
    </message>
    <message>
        <source>Requests: %1</source>
        <translation>Requests: %1</translation>
    </message>
    <message>
        <source>Failures: %1 (timeout %2, exception %3, CRC %4, link %5)</source>
        <translation>Failures: %1 (timeout %2, exception %3, CRC %4, link %5)</translation>
    </message>
    <message>
        <source>%1 transactions/s</source>
        <translation>%1 transactions/s</translation>
    </message>
    <message>
        <source>Latency: mean %1 ms, worst %2 ms</source>
        <translation>Latency: mean %1 ms, worst %2 ms</translation>
    </message>
    <message>
        <source>Scope samples: %1</source>
        <translation>Scope samples: %1</translation>
    </message>
    <message>
        <source>%1 transactions wait for Resume</source>
        <translation>%1 transactions wait for Resume</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;Text files (*.txt)</source>
        <translation>CSV files (*.csv);;Text files (*.txt)</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The bus monitor log could not be written</source>
        <translation>The bus monitor log could not be written</translation>
    </message>
    <message>
        <source>Bus monitor log saved</source>
        <translation>Bus monitor log saved</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>Soft reset</source>
        <translation>Soft reset</translation>
    </message>
    <message>
        <source>Do you wish to continue?</source>
        <translation>Do you wish to continue?</translation>
    </message>
    <message>
        <source>The device will be disconnected after restoring the factory parameters</source>
        <translation>The device will be disconnected after restoring the factory parameters</translation>
    </message>
    <message>
        <source>Restore Factory Parameters</source>
        <translation>Restore Factory Parameters</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>Restore factory parameters</translation>
    </message>
    <message>
        <source>Please wait</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The operation is completed, Please reconnect the device</source>
        <translation>The operation is completed, Please reconnect the device</translation>
    </message>
</context>
<context>
    <name>Communication</name>
    <message>
        <source>no host name or address was given</source>
        <translation>no host name or address was given</translation>
    </message>
    <message>
        <source>The stop for the drive at %1 was never sent: the connection now goes to %2. That drive may still be moving; stop it there</source>
        <translation>The stop for the drive at %1 was never sent: the connection now goes to %2. That drive may still be moving; stop it there</translation>
    </message>
</context>
<context>
    <name>DefinitionError</name>
    <message>
        <source>Definition file %1 not found</source>
        <translation>Definition file %1 not found</translation>
    </message>
    <message>
        <source>Definition file %1 cannot be opened</source>
        <translation>Definition file %1 cannot be opened</translation>
    </message>
    <message>
        <source>Definition file %1 is damaged: %2 (line %3, column %4)</source>
        <translation>Definition file %1 is damaged: %2 (line %3, column %4)</translation>
    </message>
</context>
<context>
    <name>GUI_About</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Kestrova is free software under the %1 and comes with absolutely no warranty. Its scope plots with QCustomPlot, licensed under the GNU GPL version 3.</source>
        <translation>Kestrova is free software under the %1 and comes with absolutely no warranty. Its scope plots with QCustomPlot, licensed under the GNU GPL version 3.</translation>
    </message>
    <message>
        <source>GNU General Public License, version 3 or later</source>
        <translation>GNU General Public License, version 3 or later</translation>
    </message>
</context>
<context>
    <name>GUI_Communication</name>
    <message>
        <source>Device Version</source>
        <translation>Device Version</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Databits</source>
        <translation>Databits</translation>
    </message>
    <message>
        <source>Stopbits</source>
        <translation>Stopbits</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>Slave Addr</source>
        <translation>Slave Addr</translation>
    </message>
    <message>
        <source>Connect or disconnect to the device</source>
        <translation>Connect or disconnect to the device</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>In the initialization</source>
        <translation>In the initialization</translation>
    </message>
    <message>
        <source>Please select a serial port to connect</source>
        <translation>Please select a serial port to connect</translation>
    </message>
    <message>
        <source>Cannot open serial device due to permissions</source>
        <translation>Cannot open serial device due to permissions</translation>
    </message>
    <message>
        <source>Serial device access failed</source>
        <translation>Serial device access failed</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>The communication connection was successful, the current device ID is</source>
        <translation>The communication connection was successful, the current device ID is</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>The communication exit was successful</source>
        <translation>The communication exit was successful</translation>
    </message>
    <message>
        <source>Closing</source>
        <translation>Closing</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>Communication connection failed</source>
        <translation>Communication connection failed</translation>
    </message>
    <message>
        <source>Connection failed, please check the device connection or configuration</source>
        <translation>Connection failed, please check the device connection or configuration</translation>
    </message>
    <message>
        <source>Search the port for drives at other baud rates, framings and slave addresses</source>
        <translation>Search the port for drives at other baud rates, framings and slave addresses</translation>
    </message>
    <message>
        <source>Find drive</source>
        <translation>Find drive</translation>
    </message>
    <message>
        <source>Settings taken from the drive found: %1 baud, %2, slave address %3</source>
        <translation>Settings taken from the drive found: %1 baud, %2, slave address %3</translation>
    </message>
    <message>
        <source>Cannot open serial device</source>
        <translation>Cannot open serial device</translation>
    </message>
    <message>
        <source>the port %1 that you typed does not exist; check the path</source>
        <translation>the port %1 that you typed does not exist; check the path</translation>
    </message>
    <message>
        <source>no drive answered at slave address %1 on %2 (%3 baud, %4 data bits, parity %5, %6 stop bits). Check that the drive is powered and wired (A to A, B to B) and that its slave address and serial settings match these; Find drive looks for it at every setting</source>
        <translation>no drive answered at slave address %1 on %2 (%3 baud, %4 data bits, parity %5, %6 stop bits). Check that the drive is powered and wired (A to A, B to B) and that its slave address and serial settings match these; Find drive looks for it at every setting</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Host name or IP address of the Modbus TCP gateway or serial device server</source>
        <translation>Host name or IP address of the Modbus TCP gateway or serial device server</translation>
    </message>
    <message>
        <source>TCP port</source>
        <translation>TCP port</translation>
    </message>
    <message>
        <source>e.g. 192.168.1.20</source>
        <translation>e.g. 192.168.1.20</translation>
    </message>
    <message>
        <source>Please enter the host name or IP address of the gateway to connect</source>
        <translation>Please enter the host name or IP address of the gateway to connect</translation>
    </message>
    <message>
        <source>no drive answered at slave address %1 through %2. Check that the drive is powered and wired to the gateway, and that its slave address and serial settings match the gateway's</source>
        <translation>no drive answered at slave address %1 through %2. Check that the drive is powered and wired to the gateway, and that its slave address and serial settings match the gateway's</translation>
    </message>
    <message>
        <source>Slave address taken from the drive found through %1: %2</source>
        <translation>Slave address taken from the drive found through %1: %2</translation>
    </message>
</context>
<context>
    <name>GUI_ControlPanel</name>
    <message>
        <source>Control information</source>
        <translation>Control information</translation>
    </message>
    <message>
        <source>Running frequency</source>
        <translation>Running frequency</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Backward</source>
        <translation>Backward</translation>
    </message>
    <message>
        <source>Forward Jog</source>
        <translation>Forward Jog</translation>
    </message>
    <message>
        <source>Backward Jog</source>
        <translation>Backward Jog</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Fault reset</source>
        <translation>Fault reset</translation>
    </message>
    <message>
        <source>Monitor information</source>
        <translation>Monitor information</translation>
    </message>
    <message>
        <source>Running velocity</source>
        <translation>Running velocity</translation>
    </message>
    <message>
        <source>Setting velocity</source>
        <translation>Setting velocity</translation>
    </message>
    <message>
        <source>Busbar voltage</source>
        <translation>Busbar voltage</translation>
    </message>
    <message>
        <source>Output voltage</source>
        <translation>Output voltage</translation>
    </message>
    <message>
        <source>Output current</source>
        <translation>Output current</translation>
    </message>
    <message>
        <source>Output torque</source>
        <translation>Output torque</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Running state</source>
        <translation>Running state</translation>
    </message>
    <message>
        <source>Fault code</source>
        <translation>Fault code</translation>
    </message>
    <message>
        <source>Fault information</source>
        <translation>Fault information</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Corotation</source>
        <translation>Corotation</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The drive is running. Stop it before closing?</source>
        <translation>The drive is running. Stop it before closing?</translation>
    </message>
    <message>
        <source>Leave running</source>
        <translation>Leave running</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>GUI_FaultPanel</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>GUI_FindDrive</name>
    <message>
        <source>Find drive</source>
        <translation>Find drive</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Baud rates</source>
        <translation>Baud rates</translation>
    </message>
    <message>
        <source>Baud rates to try, separated by commas</source>
        <translation>Baud rates to try, separated by commas</translation>
    </message>
    <message>
        <source>Framings</source>
        <translation>Framings</translation>
    </message>
    <message>
        <source>Slave addresses</source>
        <translation>Slave addresses</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Adapter latency</source>
        <translation>Adapter latency</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Framing</translation>
    </message>
    <message>
        <source>Slave Addr</source>
        <translation>Slave Addr</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>Take the chosen setting and address into the connection page</source>
        <translation>Take the chosen setting and address into the connection page</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Extra wait for the serial adapter: USB adapters hold received bytes up to their latency timer (16 ms for the common FTDI type)</source>
        <translation>Extra wait for the serial adapter: USB adapters hold received bytes up to their latency timer (16 ms for the common FTDI type)</translation>
    </message>
    <message>
        <source>Press Start to search the port</source>
        <translation>Press Start to search the port</translation>
    </message>
    <message>
        <source>Not a baud rate: %1</source>
        <translation>Not a baud rate: %1</translation>
    </message>
    <message>
        <source>Enter at least one baud rate</source>
        <translation>Enter at least one baud rate</translation>
    </message>
    <message>
        <source>Choose at least one framing</source>
        <translation>Choose at least one framing</translation>
    </message>
    <message>
        <source>The first address is above the last</source>
        <translation>The first address is above the last</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>wait per silent address at %1 %2: %3 ms</source>
        <translation>wait per silent address at %1 %2: %3 ms</translation>
    </message>
    <message>
        <source>Stopping</source>
        <translation>Stopping</translation>
    </message>
    <message>
        <source>Exception %1</source>
        <translation>Exception %1</translation>
    </message>
    <message>
        <source>Valid reply</source>
        <translation>Valid reply</translation>
    </message>
    <message>
        <source>%1 of %2 combinations tried, %3 found, about %4 left</source>
        <translation>%1 of %2 combinations tried, %3 found, about %4 left</translation>
    </message>
    <message>
        <source>No drive answered</source>
        <translation>No drive answered</translation>
    </message>
    <message>
        <source>Search completed, %1 found</source>
        <translation>Search completed, %1 found</translation>
    </message>
    <message>
        <source>Stopped, %1 found</source>
        <translation>Stopped, %1 found</translation>
    </message>
    <message>
        <source>The port cannot be used: %1</source>
        <translation>The port cannot be used: %1</translation>
    </message>
    <message>
        <source>not supported by the port: %1</source>
        <translation>not supported by the port: %1</translation>
    </message>
    <message>
        <source>Unit ids</source>
        <translation>Unit ids</translation>
    </message>
    <message>
        <source>wait per silent unit id: %1 ms</source>
        <translation>wait per silent unit id: %1 ms</translation>
    </message>
    <message>
        <source>Press Start to ask every unit id of the range through %1</source>
        <translation>Press Start to ask every unit id of the range through %1</translation>
    </message>
    <message>
        <source>%1 of %2 unit ids tried, %3 found, about %4 left</source>
        <translation>%1 of %2 unit ids tried, %3 found, about %4 left</translation>
    </message>
    <message>
        <source>No connection: %1</source>
        <translation>No connection: %1</translation>
    </message>
</context>
<context>
    <name>GUI_IO</name>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Level Control</source>
        <translation>Level Control</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Digital Input DI1</source>
        <translation>Digital Input DI1</translation>
    </message>
    <message>
        <source>Digital Input DI2</source>
        <translation>Digital Input DI2</translation>
    </message>
    <message>
        <source>Digital Input DI3</source>
        <translation>Digital Input DI3</translation>
    </message>
    <message>
        <source>Digital Input DI4</source>
        <translation>Digital Input DI4</translation>
    </message>
    <message>
        <source>Digital Input DI5</source>
        <translation>Digital Input DI5</translation>
    </message>
    <message>
        <source>Digital Input DI6</source>
        <translation>Digital Input DI6</translation>
    </message>
    <message>
        <source>Digital Input DI7</source>
        <translation>Digital Input DI7</translation>
    </message>
    <message>
        <source>Digital Input DI8</source>
        <translation>Digital Input DI8</translation>
    </message>
    <message>
        <source>Digital Output DO1</source>
        <translation>Digital Output DO1</translation>
    </message>
    <message>
        <source>Digital Output DO2</source>
        <translation>Digital Output DO2</translation>
    </message>
    <message>
        <source>Digital Output DO3</source>
        <translation>Digital Output DO3</translation>
    </message>
    <message>
        <source>Digital Output DO4</source>
        <translation>Digital Output DO4</translation>
    </message>
    <message>
        <source>Digital Output DO5</source>
        <translation>Digital Output DO5</translation>
    </message>
    <message>
        <source>Digital Output DO6</source>
        <translation>Digital Output DO6</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>No function</source>
        <translation>No function</translation>
    </message>
    <message>
        <source>Servo enable</source>
        <translation>Servo enable</translation>
    </message>
    <message>
        <source>Alarm clearance</source>
        <translation>Alarm clearance</translation>
    </message>
    <message>
        <source>Positive drive prohibited</source>
        <translation>Positive drive prohibited</translation>
    </message>
    <message>
        <source>Reverse drive prohibited</source>
        <translation>Reverse drive prohibited</translation>
    </message>
    <message>
        <source>Positive torque limit</source>
        <translation>Positive torque limit</translation>
    </message>
    <message>
        <source>Reverse torque limit</source>
        <translation>Reverse torque limit</translation>
    </message>
    <message>
        <source>Zero tachymosis position</source>
        <translation>Zero tachymosis position</translation>
    </message>
    <message>
        <source>Zero instruction</source>
        <translation>Zero instruction</translation>
    </message>
    <message>
        <source>Directive reversion</source>
        <translation>Directive reversion</translation>
    </message>
    <message>
        <source>Speed selection 1</source>
        <translation>Speed selection 1</translation>
    </message>
    <message>
        <source>Speed selection 2</source>
        <translation>Speed selection 2</translation>
    </message>
    <message>
        <source>Torque selection 1</source>
        <translation>Torque selection 1</translation>
    </message>
    <message>
        <source>Torque selection 2</source>
        <translation>Torque selection 2</translation>
    </message>
    <message>
        <source>Composite mode controls the mode setting</source>
        <translation>Composite mode controls the mode setting</translation>
    </message>
    <message>
        <source>Electronic gear selection 1</source>
        <translation>Electronic gear selection 1</translation>
    </message>
    <message>
        <source>Electronic gear selection 2</source>
        <translation>Electronic gear selection 2</translation>
    </message>
    <message>
        <source>Location deviation clearance</source>
        <translation>Location deviation clearance</translation>
    </message>
    <message>
        <source>Pulse input is prohibited</source>
        <translation>Pulse input is prohibited</translation>
    </message>
    <message>
        <source>Forward move</source>
        <translation>Forward move</translation>
    </message>
    <message>
        <source>Reverse move</source>
        <translation>Reverse move</translation>
    </message>
    <message>
        <source>The internal position control command stops</source>
        <translation>The internal position control command stops</translation>
    </message>
    <message>
        <source>Internal location, Command trigger</source>
        <translation>Internal location, Command trigger</translation>
    </message>
    <message>
        <source>The internal position command selects the 0</source>
        <translation>The internal position command selects the 0</translation>
    </message>
    <message>
        <source>The internal position command selects the 1</source>
        <translation>The internal position command selects the 1</translation>
    </message>
    <message>
        <source>The internal position command selects the 2</source>
        <translation>The internal position command selects the 2</translation>
    </message>
    <message>
        <source>Start origin regression</source>
        <translation>Start origin regression</translation>
    </message>
    <message>
        <source>The origin of the return</source>
        <translation>The origin of the return</translation>
    </message>
    <message>
        <source>Modbus slave number 0</source>
        <translation>Modbus slave number 0</translation>
    </message>
    <message>
        <source>Modbus slave number 1</source>
        <translation>Modbus slave number 1</translation>
    </message>
    <message>
        <source>Modbus slave number 2</source>
        <translation>Modbus slave number 2</translation>
    </message>
    <message>
        <source>Modbus slave number 3</source>
        <translation>Modbus slave number 3</translation>
    </message>
    <message>
        <source>Always output ON</source>
        <translation>Always output ON</translation>
    </message>
    <message>
        <source>Servo ready</source>
        <translation>Servo ready</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Zero-speed</source>
        <translation>Zero-speed</translation>
    </message>
    <message>
        <source>Positioning completed</source>
        <translation>Positioning completed</translation>
    </message>
    <message>
        <source>Speed to reach</source>
        <translation>Speed to reach</translation>
    </message>
    <message>
        <source>Torque arrived</source>
        <translation>Torque arrived</translation>
    </message>
    <message>
        <source>Magnetic brake</source>
        <translation>Magnetic brake</translation>
    </message>
    <message>
        <source>Servo running</source>
        <translation>Servo running</translation>
    </message>
    <message>
        <source>Positioning is close</source>
        <translation>Positioning is close</translation>
    </message>
    <message>
        <source>Torque limit</source>
        <translation>Torque limit</translation>
    </message>
    <message>
        <source>Speed limit</source>
        <translation>Speed limit</translation>
    </message>
    <message>
        <source>Same speed</source>
        <translation>Same speed</translation>
    </message>
    <message>
        <source>Origin regression completed</source>
        <translation>Origin regression completed</translation>
    </message>
    <message>
        <source>The internal location command completes</source>
        <translation>The internal location command completes</translation>
    </message>
    <message>
        <source>Z signal output</source>
        <translation>Z signal output</translation>
    </message>
    <message>
        <source>Represents high level effective</source>
        <translation>Represents high level effective</translation>
    </message>
    <message>
        <source>Represents low level effective</source>
        <translation>Represents low level effective</translation>
    </message>
    <message>
        <source>Read the IO settings from the drive first</source>
        <translation>Read the IO settings from the drive first</translation>
    </message>
    <message>
        <source>Unknown function</source>
        <translation>Unknown function</translation>
    </message>
</context>
<context>
    <name>GUI_Monitor</name>
    <message>
        <source>Velocity</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Position CMD</source>
        <translation>Position CMD</translation>
    </message>
    <message>
        <source>Position Error</source>
        <translation>Position Error</translation>
    </message>
    <message>
        <source>Torque</source>
        <translation>Torque</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Control Mode</source>
        <translation>Control Mode</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Velocity CMD</source>
        <translation>Velocity CMD</translation>
    </message>
    <message>
        <source>Torque CMD</source>
        <translation>Torque CMD</translation>
    </message>
    <message>
        <source>ST Absolute Position</source>
        <translation>ST Absolute Position</translation>
    </message>
    <message>
        <source>Input State</source>
        <translation>Input State</translation>
    </message>
    <message>
        <source>Output State</source>
        <translation>Output State</translation>
    </message>
    <message>
        <source>Encoder Input Signal</source>
        <translation>Encoder Input Signal</translation>
    </message>
    <message>
        <source>Bus Voltage</source>
        <translation>Bus Voltage</translation>
    </message>
    <message>
        <source>Alarm Code</source>
        <translation>Alarm Code</translation>
    </message>
    <message>
        <source>Logic Chip Version</source>
        <translation>Logic Chip Version</translation>
    </message>
    <message>
        <source>Relay Suction State</source>
        <translation>Relay Suction State</translation>
    </message>
    <message>
        <source>Running State</source>
        <translation>Running State</translation>
    </message>
    <message>
        <source>Absolute Position</source>
        <translation>Absolute Position</translation>
    </message>
    <message>
        <source>Enable State</source>
        <translation>Enable State</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
</context>
<context>
    <name>GUI_Motion</name>
    <message>
        <source>Operation Mode</source>
        <translation>Operation Mode</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Jog</source>
        <translation>Jog</translation>
    </message>
    <message>
        <source>Backward</source>
        <translation>Backward</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Wait Time</source>
        <translation>Wait Time</translation>
    </message>
    <message>
        <source>Serial Velocity</source>
        <translation>Serial Velocity</translation>
    </message>
    <message>
        <source>Serial Position</source>
        <translation>Serial Position</translation>
    </message>
    <message>
        <source>The pulse count is beyond the range the drive can take (%1 to %2)</source>
        <translation>The pulse count is beyond the range the drive can take (%1 to %2)</translation>
    </message>
</context>
<context>
    <name>GUI_ParamTable</name>
    <message>
        <source>Parameter import</source>
        <translation>Parameter import</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Parameter export</source>
        <translation>Parameter export</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>Restore factory parameters</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Apply </source>
        <translation>Apply </translation>
    </message>
    <message>
        <source>Refresh </source>
        <translation>Refresh </translation>
    </message>
    <message>
        <source>Parameter compare</source>
        <translation>Parameter compare</translation>
    </message>
    <message>
        <source>Search for</source>
        <translation>Search for</translation>
    </message>
    <message>
        <source>Administrator mode</source>
        <translation>Administrator mode</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>Operation failed</source>
        <translation>Operation failed</translation>
    </message>
    <message>
        <source>Inconsistent with factory value</source>
        <translation>Inconsistent with factory value</translation>
    </message>
    <message>
        <source>Realtime refresh</source>
        <translation>Realtime refresh</translation>
    </message>
    <message>
        <source>The setting value is inconsistent with the current value</source>
        <translation>The setting value is inconsistent with the current value</translation>
    </message>
    <message>
        <source>The setting value is inconsistent with the factory value</source>
        <translation>The setting value is inconsistent with the factory value</translation>
    </message>
    <message>
        <source>The current value is inconsistent with the factory value</source>
        <translation>The current value is inconsistent with the factory value</translation>
    </message>
    <message>
        <source>Displays the check parameters</source>
        <translation>Displays the check parameters</translation>
    </message>
    <message>
        <source>Filter failed items</source>
        <translation>Filter failed items</translation>
    </message>
    <message>
        <source>Write only the checked option</source>
        <translation>Write only the checked option</translation>
    </message>
    <message>
        <source>Write the current page</source>
        <translation>Write the current page</translation>
    </message>
    <message>
        <source>Read only the checked option</source>
        <translation>Read only the checked option</translation>
    </message>
    <message>
        <source>Read the current page</source>
        <translation>Read the current page</translation>
    </message>
    <message>
        <source>Read all pages</source>
        <translation>Read all pages</translation>
    </message>
    <message>
        <source>Parameter group</source>
        <translation>Parameter group</translation>
    </message>
    <message>
        <source>System parameters</source>
        <translation>System parameters</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Parameter write, number of parameters</source>
        <translation>Parameter write, number of parameters</translation>
    </message>
    <message>
        <source>Parameter uploading</source>
        <translation>Parameter uploading</translation>
    </message>
    <message>
        <source>Parameter read, number of parameters</source>
        <translation>Parameter read, number of parameters</translation>
    </message>
    <message>
        <source>Parameter loading</source>
        <translation>Parameter loading</translation>
    </message>
    <message>
        <source>Export File</source>
        <translation>Export File</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Import File</translation>
    </message>
    <message>
        <source>Import failed</source>
        <translation>Import failed</translation>
    </message>
    <message>
        <source>Import failed, the file does not match</source>
        <translation>Import failed, the file does not match</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The parameters are imported, Do you wish to perform the write?</source>
        <translation>The parameters are imported, Do you wish to perform the write?</translation>
    </message>
    <message>
        <source>Parameters import, number of parameters</source>
        <translation>Parameters import, number of parameters</translation>
    </message>
    <message>
        <source>Parameters are importing</source>
        <translation>Parameters are importing</translation>
    </message>
    <message>
        <source>Administrator</source>
        <translation>Administrator</translation>
    </message>
    <message>
        <source>Permission password</source>
        <translation>Permission password</translation>
    </message>
    <message>
        <source>The password is incorrect</source>
        <translation>The password is incorrect</translation>
    </message>
    <message>
        <source>Compare the drive with a parameter file and write the values you choose</source>
        <translation>Compare the drive with a parameter file and write the values you choose</translation>
    </message>
    <message>
        <source>Compare with file…</source>
        <translation>Compare with file…</translation>
    </message>
    <message>
        <source>Compare with file</source>
        <translation>Compare with file</translation>
    </message>
    <message>
        <source>Comparison failed</source>
        <translation>Comparison failed</translation>
    </message>
    <message>
        <source>Comparison failed, the file does not match</source>
        <translation>Comparison failed, the file does not match</translation>
    </message>
    <message>
        <source>The file holds no value to compare with the drive</source>
        <translation>The file holds no value to compare with the drive</translation>
    </message>
</context>
<context>
    <name>GUI_Scope</name>
    <message>
        <source>Continuous collection</source>
        <translation>Continuous collection</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Adaptive XY axis</source>
        <translation>Adaptive XY axis</translation>
    </message>
    <message>
        <source>Select zoom (Left button)</source>
        <translation>Select zoom (Left button)</translation>
    </message>
    <message>
        <source>Drag (Middle button)</source>
        <translation>Drag (Middle button)</translation>
    </message>
    <message>
        <source>Zoom (Mouse wheel)</source>
        <translation>Zoom (Mouse wheel)</translation>
    </message>
    <message>
        <source>Show legend</source>
        <translation>Show legend</translation>
    </message>
    <message>
        <source>Cursor tracking</source>
        <translation>Cursor tracking</translation>
    </message>
    <message>
        <source>Nonius measurement</source>
        <translation>Nonius measurement</translation>
    </message>
    <message>
        <source>Clear Graphs</source>
        <translation>Clear Graphs</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source>Import curves</source>
        <translation>Import curves</translation>
    </message>
    <message>
        <source>Emport curves</source>
        <translation>Emport curves</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Charts</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>Record Variables</source>
        <translation>Record Variables</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Select Color</translation>
    </message>
    <message>
        <source>Please select the object to observe first</source>
        <translation>Please select the object to observe first</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>The collection quantity exceeds the upper limit</source>
        <translation>The collection quantity exceeds the upper limit</translation>
    </message>
    <message>
        <source>Import failed</source>
        <translation>Import failed</translation>
    </message>
    <message>
        <source>Export curves</source>
        <translation>Export curves</translation>
    </message>
    <message>
        <source>Export successful</source>
        <translation>Export successful</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>Screenshot saving failed</source>
        <translation>Screenshot saving failed</translation>
    </message>
    <message>
        <source>The screenshot is saved successfully</source>
        <translation>The screenshot is saved successfully</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Auto Y: keep each chart fitted to its data while running</source>
        <translation>Auto Y: keep each chart fitted to its data while running</translation>
    </message>
    <message>
        <source>Record to file</source>
        <translation>Record to file</translation>
    </message>
    <message>
        <source>Sampling</source>
        <translation>Sampling</translation>
    </message>
    <message>
        <source>Standard: one read per variable, every 50 ms per variable. Fast: block reads one after another, as fast as the line allows</source>
        <translation>Standard: one read per variable, every 50 ms per variable. Fast: block reads one after another, as fast as the line allows</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Normal: a window at every crossing of the level; Single: one window, then sampling pauses; Auto: as Normal, rolling on while no crossing comes</source>
        <translation>Normal: a window at every crossing of the level; Single: one window, then sampling pauses; Auto: as Normal, rolling on while no crossing comes</translation>
    </message>
    <message>
        <source>Variable whose level starts a capture</source>
        <translation>Variable whose level starts a capture</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Pre-trigger</source>
        <translation>Pre-trigger</translation>
    </message>
    <message>
        <source>Share of the window before the crossing</source>
        <translation>Share of the window before the crossing</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Length of a captured window</source>
        <translation>Length of a captured window</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>How much of a recording is kept on screen; older points are dropped</source>
        <translation>How much of a recording is kept on screen; older points are dropped</translation>
    </message>
    <message>
        <source>Samples per second of each variable</source>
        <translation>Samples per second of each variable</translation>
    </message>
    <message>
        <source>Recording to file stopped: %1</source>
        <translation>Recording to file stopped: %1</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Rising</source>
        <translation>Rising</translation>
    </message>
    <message>
        <source>Falling</source>
        <translation>Falling</translation>
    </message>
    <message>
        <source>1 min</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>10 min</source>
        <translation>10 min</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 h</translation>
    </message>
    <message>
        <source>8 h</source>
        <translation>8 h</translation>
    </message>
    <message>
        <source>Recording to file failed: %1</source>
        <translation>Recording to file failed: %1</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>Single capture at %1 s</source>
        <translation>Single capture at %1 s</translation>
    </message>
    <message>
        <source>Captured at %1 s</source>
        <translation>Captured at %1 s</translation>
    </message>
    <message>
        <source>Triggered</source>
        <translation>Triggered</translation>
    </message>
    <message>
        <source>No trigger: rolling</source>
        <translation>No trigger: rolling</translation>
    </message>
    <message>
        <source>Waiting for trigger</source>
        <translation>Waiting for trigger</translation>
    </message>
    <message>
        <source>Older points dropped: keeping the last %1</source>
        <translation>Older points dropped: keeping the last %1</translation>
    </message>
    <message>
        <source>Recording to %1</source>
        <translation>Recording to %1</translation>
    </message>
</context>
<context>
    <name>GUI_ScopeNonius</name>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Lock the distance between line A and line B</source>
        <translation>Lock the distance between line A and line B</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Chart</translation>
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
        <translation>Nonius measurement</translation>
    </message>
</context>
<context>
    <name>GUI_ScopeSetting</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Nonius tracking</source>
        <translation>Nonius tracking</translation>
    </message>
    <message>
        <source>Cursor style:</source>
        <translation>Cursor style:</translation>
    </message>
    <message>
        <source>Cursor size:</source>
        <translation>Cursor size:</translation>
    </message>
    <message>
        <source>Interpolation:</source>
        <translation>Interpolation:</translation>
    </message>
    <message>
        <source>Sets whether the value of the graph's data points shall be interpolated, when positioning the tracer.</source>
        <translation>Sets whether the value of the graph's data points shall be interpolated, when positioning the tracer.</translation>
    </message>
    <message>
        <source>Use linear interpolation</source>
        <translation>Use linear interpolation</translation>
    </message>
    <message>
        <source>Nonius measurement</source>
        <translation>Nonius measurement</translation>
    </message>
    <message>
        <source>Line size:</source>
        <translation>Line size:</translation>
    </message>
    <message>
        <source>Line A color:</source>
        <translation>Line A color:</translation>
    </message>
    <message>
        <source>Line B color:</source>
        <translation>Line B color:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>Crosshair</source>
        <translation>Crosshair</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Select Color</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Communication</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Scope</source>
        <translation>Scope</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Motion</translation>
    </message>
    <message>
        <source>I/O</source>
        <translation>I/O</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation>Control Panel</translation>
    </message>
    <message>
        <source>Faults Panel</source>
        <translation>Faults Panel</translation>
    </message>
    <message>
        <source>Parameter Table</source>
        <translation>Parameter Table</translation>
    </message>
    <message>
        <source>ToolBar</source>
        <translation>ToolBar</translation>
    </message>
    <message>
        <source>Servo family</source>
        <translation>Servo family</translation>
    </message>
    <message>
        <source>VFD family</source>
        <translation>VFD family</translation>
    </message>
    <message>
        <source>Sofe reset</source>
        <translation>Sofe reset</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>Restore factory parameters</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Connect or disconnect to the device</source>
        <translation>Connect or disconnect to the device</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Enabling or disabled the current device</source>
        <translation>Enabling or disabled the current device</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Workspace</source>
        <translation>Workspace</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Console</translation>
    </message>
    <message>
        <source>GUI initialization successful</source>
        <translation>GUI initialization successful</translation>
    </message>
    <message>
        <source>The application will change the drive family, and then restart.</source>
        <translation>The application will change the drive family, and then restart.</translation>
    </message>
    <message>
        <source>Do you wish to continue?</source>
        <translation>Do you wish to continue?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The current language has changed and takes effect after the restart.</source>
        <translation>The current language has changed and takes effect after the restart.</translation>
    </message>
    <message>
        <source>Do you wish to restart it now?</source>
        <translation>Do you wish to restart it now?</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>No communication with the drive(Off Line)</source>
        <translation>No communication with the drive(Off Line)</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Bus monitor</source>
        <translation>Bus monitor</translation>
    </message>
</context>
<context>
    <name>ModbusDevice</name>
    <message>
        <source>%1 answered that the drive at address %2 did not respond (Modbus exception 0B, gateway target device failed to respond). Check that the drive is powered and wired to the gateway, and that its address and serial settings match the gateway's</source>
        <translation>%1 answered that the drive at address %2 did not respond (Modbus exception 0B, gateway target device failed to respond). Check that the drive is powered and wired to the gateway, and that its address and serial settings match the gateway's</translation>
    </message>
</context>
<context>
    <name>ParamCompareDialog</name>
    <message>
        <source>Compare with file</source>
        <translation>Compare with file</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Write the ticked values</source>
        <translation>Write the ticked values</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Drive value</source>
        <translation>Drive value</translation>
    </message>
    <message>
        <source>File value</source>
        <translation>File value</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Comparison with a file, number of parameters</source>
        <translation>Comparison with a file, number of parameters</translation>
    </message>
    <message>
        <source>Reading the drive's values...</source>
        <translation>Reading the drive's values...</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>The drive holds the file's value of every parameter compared (%1).</source>
        <translation>The drive holds the file's value of every parameter compared (%1).</translation>
    </message>
    <message>
        <source>%1 of the %2 parameters compared differ from the file.</source>
        <translation>%1 of the %2 parameters compared differ from the file.</translation>
    </message>
    <message>
        <source>Not compared: %1 read-only, %2 not in this device version, %3 without a usable value.</source>
        <translation>Not compared: %1 read-only, %2 not in this device version, %3 without a usable value.</translation>
    </message>
    <message>
        <source>Writing values from the file, number of parameters</source>
        <translation>Writing values from the file, number of parameters</translation>
    </message>
    <message>
        <source>Written and verified</source>
        <translation>Written and verified</translation>
    </message>
    <message>
        <source>Not kept by the drive</source>
        <translation>Not kept by the drive</translation>
    </message>
    <message>
        <source>Write failed</source>
        <translation>Write failed</translation>
    </message>
    <message>
        <source>Written, read-back failed</source>
        <translation>Written, read-back failed</translation>
    </message>
    <message>
        <source>Written, not verified</source>
        <translation>Written, not verified</translation>
    </message>
    <message>
        <source>Not written</source>
        <translation>Not written</translation>
    </message>
    <message>
        <source>The drive's values could not all be read: nothing was compared.</source>
        <translation>The drive's values could not all be read: nothing was compared.</translation>
    </message>
    <message>
        <source>Values from the file verified: %1, not kept by the drive: %2, failed: %3</source>
        <translation>Values from the file verified: %1, not kept by the drive: %2, failed: %3</translation>
    </message>
</context>
<context>
    <name>ParamTableModel</name>
    <message>
        <source>Read only</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>Downtime modification</source>
        <translation>Downtime modification</translation>
    </message>
    <message>
        <source>Any modification</source>
        <translation>Any modification</translation>
    </message>
    <message>
        <source>Effective immediately</source>
        <translation>Effective immediately</translation>
    </message>
    <message>
        <source>Effective after restart</source>
        <translation>Effective after restart</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The startup files seem to be missing</source>
        <translation>The startup files seem to be missing</translation>
    </message>
    <message>
        <source>Communication exception, number of retries</source>
        <translation>Communication exception, number of retries</translation>
    </message>
    <message>
        <source>Recovery failed</source>
        <translation>Recovery failed</translation>
    </message>
    <message>
        <source>Adaptive X axis</source>
        <translation>Adaptive X axis</translation>
    </message>
    <message>
        <source>Adaptive Y axis</source>
        <translation>Adaptive Y axis</translation>
    </message>
    <message>
        <source>The drive does not answer</source>
        <translation>The drive does not answer</translation>
    </message>
</context>
<context>
    <name>QXml</name>
    <message>
        <source>error triggered by consumer</source>
        <translation>error triggered by consumer</translation>
    </message>
    <message>
        <source>unexpected end of file</source>
        <translation>unexpected end of file</translation>
    </message>
    <message>
        <source>more than one document type definition</source>
        <translation>more than one document type definition</translation>
    </message>
    <message>
        <source>error occurred while parsing element</source>
        <translation>error occurred while parsing element</translation>
    </message>
    <message>
        <source>tag mismatch</source>
        <translation>tag mismatch</translation>
    </message>
    <message>
        <source>error occurred while parsing content</source>
        <translation>error occurred while parsing content</translation>
    </message>
    <message>
        <source>unexpected character</source>
        <translation>unexpected character</translation>
    </message>
    <message>
        <source>invalid name for processing instruction</source>
        <translation>invalid name for processing instruction</translation>
    </message>
    <message>
        <source>version expected while reading the XML declaration</source>
        <translation>version expected while reading the XML declaration</translation>
    </message>
    <message>
        <source>wrong value for standalone declaration</source>
        <translation>wrong value for standalone declaration</translation>
    </message>
    <message>
        <source>encoding declaration or standalone declaration expected while reading the XML declaration</source>
        <translation>encoding declaration or standalone declaration expected while reading the XML declaration</translation>
    </message>
    <message>
        <source>standalone declaration expected while reading the XML declaration</source>
        <translation>standalone declaration expected while reading the XML declaration</translation>
    </message>
    <message>
        <source>error occurred while parsing document type definition</source>
        <translation>error occurred while parsing document type definition</translation>
    </message>
    <message>
        <source>letter is expected</source>
        <translation>letter is expected</translation>
    </message>
    <message>
        <source>error occurred while parsing comment</source>
        <translation>error occurred while parsing comment</translation>
    </message>
    <message>
        <source>error occurred while parsing reference</source>
        <translation>error occurred while parsing reference</translation>
    </message>
    <message>
        <source>internal general entity reference not allowed in DTD</source>
        <translation>internal general entity reference not allowed in DTD</translation>
    </message>
    <message>
        <source>external parsed general entity reference not allowed in attribute value</source>
        <translation>external parsed general entity reference not allowed in attribute value</translation>
    </message>
    <message>
        <source>external parsed general entity reference not allowed in DTD</source>
        <translation>external parsed general entity reference not allowed in DTD</translation>
    </message>
    <message>
        <source>unparsed entity reference in wrong context</source>
        <translation>unparsed entity reference in wrong context</translation>
    </message>
    <message>
        <source>recursive entities</source>
        <translation>recursive entities</translation>
    </message>
    <message>
        <source>error in the text declaration of an external entity</source>
        <translation>error in the text declaration of an external entity</translation>
    </message>
</context>
<context>
    <name>RMessageBox</name>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
</context>
<context>
    <name>RtuOverTcp</name>
    <message>
        <source>no host name or address was given</source>
        <translation>no host name or address was given</translation>
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
        <translation>run %1 (it lasts until the adapter is unplugged), or install the Kestrova package, whose udev rule sets it whenever the adapter is plugged in</translation>
    </message>
    <message>
        <source>unplug the adapter and plug it in again, and the installed udev rule %1 sets it; or run %2</source>
        <translation>unplug the adapter and plug it in again, and the installed udev rule %1 sets it; or run %2</translation>
    </message>
    <message>
        <source>%1 is an FTDI adapter whose latency timer is %2 ms: it holds every answer of the drive up to %2 ms before passing it on, which makes each transaction up to %2 ms longer. Set the timer to 1 ms: %3</source>
        <translation>%1 is an FTDI adapter whose latency timer is %2 ms: it holds every answer of the drive up to %2 ms before passing it on, which makes each transaction up to %2 ms longer. Set the timer to 1 ms: %3</translation>
    </message>
</context>
<context>
    <name>SerialPortDiagnosis</name>
    <message>
        <source>permission denied: your account "%1" was added to the group "%2" that may use %3, but this login started before that. Log out and log in again (or restart the computer), then connect again</source>
        <translation>permission denied: your account "%1" was added to the group "%2" that may use %3, but this login started before that. Log out and log in again (or restart the computer), then connect again</translation>
    </message>
    <message>
        <source>permission denied: your account "%1" is not in the group "%2" that may use %3. Add it with the command: sudo usermod -aG %2 %1 — then log out and log in again, as a new group takes effect only at a new login</source>
        <translation>permission denied: your account "%1" is not in the group "%2" that may use %3. Add it with the command: sudo usermod -aG %2 %1 — then log out and log in again, as a new group takes effect only at a new login</translation>
    </message>
    <message>
        <source>permission denied: your account "%1" may not use %2 (owner "%3", group "%4"). Serial adapters normally belong to the group "dialout": add your account to it with the command: sudo usermod -aG dialout %1 — then log out and log in again, as a new group takes effect only at a new login</source>
        <translation>permission denied: your account "%1" may not use %2 (owner "%3", group "%4"). Serial adapters normally belong to the group "dialout": add your account to it with the command: sudo usermod -aG dialout %1 — then log out and log in again, as a new group takes effect only at a new login</translation>
    </message>
    <message>
        <source>%1 is in use by another program (%2, process %3). Close that program, then connect again</source>
        <translation>%1 is in use by another program (%2, process %3). Close that program, then connect again</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close that program, then connect again</source>
        <translation>%1 is in use by another program. Close that program, then connect again</translation>
    </message>
    <message>
        <source>%1 does not exist: the adapter is not plugged in or the path is wrong. Plug it in, then press the Port box to list the ports again</source>
        <translation>%1 does not exist: the adapter is not plugged in or the path is wrong. Plug it in, then press the Port box to list the ports again</translation>
    </message>
    <message>
        <source>permission denied: your account "%1" may not reach %2, as a folder on its path is closed to it; ask the administrator for access</source>
        <translation>permission denied: your account "%1" may not reach %2, as a folder on its path is closed to it; ask the administrator for access</translation>
    </message>
    <message>
        <source>the device behind %1 is gone: the adapter was unplugged or switched off. Plug it in again, then connect again</source>
        <translation>the device behind %1 is gone: the adapter was unplugged or switched off. Plug it in again, then connect again</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2</source>
        <translation>%1 could not be opened: %2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>The installed udev rule %1 gives USB serial adapters to the user at the computer without the group, but only to adapters plugged in after it was installed: unplug the adapter and plug it in again, then connect again</source>
        <translation>The installed udev rule %1 gives USB serial adapters to the user at the computer without the group, but only to adapters plugged in after it was installed: unplug the adapter and plug it in again, then connect again</translation>
    </message>
    <message>
        <source>The installed udev rule %1 gives USB serial adapters only to the user at the computer, and this login is a remote one (or has no seat): it needs the group</source>
        <translation>The installed udev rule %1 gives USB serial adapters only to the user at the computer, and this login is a remote one (or has no seat): it needs the group</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Connecting to %1</translation>
    </message>
    <message>
        <source>Online: %1, %2 baud, slave address %3</source>
        <translation>Online: %1, %2 baud, slave address %3</translation>
    </message>
    <message>
        <source>Link lost, reconnecting to %1</source>
        <translation>Link lost, reconnecting to %1</translation>
    </message>
    <message>
        <source>Closing the connection</source>
        <translation>Closing the connection</translation>
    </message>
    <message>
        <source>Online: %1</source>
        <translation>Online: %1</translation>
    </message>
</context>
<context>
    <name>TableBatch</name>
    <message>
        <source>The operation is complete</source>
        <translation>The operation is complete</translation>
    </message>
</context>
<context>
    <name>TcpDiagnosis</name>
    <message>
        <source>%1 refused the connection: nothing listens on that port there. Check the TCP port, and that the gateway or serial server is switched on with its Modbus service enabled</source>
        <translation>%1 refused the connection: nothing listens on that port there. Check the TCP port, and that the gateway or serial server is switched on with its Modbus service enabled</translation>
    </message>
    <message>
        <source>the host name %1 was not found. Check its spelling, or enter the IP address</source>
        <translation>the host name %1 was not found. Check its spelling, or enter the IP address</translation>
    </message>
    <message>
        <source>%1 cannot be reached from this computer (%2). Check the network cable, the IP address, and that this computer is in the same network or has a route to it</source>
        <translation>%1 cannot be reached from this computer (%2). Check the network cable, the IP address, and that this computer is in the same network or has a route to it</translation>
    </message>
    <message>
        <source>%1 closed the connection. The server may take one client at a time and be busy with another, or refuse this computer</source>
        <translation>%1 closed the connection. The server may take one client at a time and be busy with another, or refuse this computer</translation>
    </message>
    <message>
        <source> within %1 s</source>
        <translation> within %1 s</translation>
    </message>
    <message>
        <source>%1 did not take the connection%2. Check the IP address; a firewall may be dropping the connection</source>
        <translation>%1 did not take the connection%2. Check the IP address; a firewall may be dropping the connection</translation>
    </message>
</context>
<context>
    <name>WidgetBase</name>
    <message>
        <source>No communication with the drive(Off Line)</source>
        <translation>No communication with the drive(Off Line)</translation>
    </message>
    <message>
        <source>The link is down: the stop goes to the drive as soon as it is back</source>
        <translation>The link is down: the stop goes to the drive as soon as it is back</translation>
    </message>
</context>
</TS>
