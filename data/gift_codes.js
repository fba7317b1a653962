var MP_CDKEYID_INFO=
{
	"AKGUD0":{mpid:"MA20130427115620141",servicecode:"DNFHZ"}
}