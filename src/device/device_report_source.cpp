#include "report_reader.h"

#include "KOVA_DataProcess.h"

int DeviceReportSource::GetReadSize() {
    return KOVA_Interface_RadarDevice_Protocol_GetWriteBufferMaxSize(m_handle);
}

int DeviceReportSource::Read(uint8_t* buffer, int size, int timeoutMs) {
    return KOVA_Interface_RadarDevice_ReadData(m_handle, buffer, size, timeoutMs, 0);
}
