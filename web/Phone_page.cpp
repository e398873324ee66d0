#include "web/Phone_page.h"

// Everything the phone shows comes over the WebSocket as one JSON state; the
// names are put in with textContent, never as markup.
static const char Page_Text[] = R"PAGE(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1, viewport-fit=cover">
<meta name="color-scheme" content="dark">
<title>Velmora - Tournament Clock</title>
<style>
*{box-sizing:border-box}
html,body{margin:0;background:#0b3d23;color:#f4f1e6;font-family:system-ui,-apple-system,"Segoe UI",Roboto,sans-serif}
body{min-height:100vh;padding:max(10px,env(safe-area-inset-top)) 12px 16px}
header{display:flex;justify-content:space-between;align-items:center;gap:8px;font-size:15px;opacity:.9}
#link{font-size:12px;padding:2px 8px;border-radius:10px;background:#7a1d1d}
#link.on{background:#1f6e3d}
main{display:grid;gap:12px;grid-template-columns:1fr;margin-top:8px}
section{background:rgba(0,0,0,.28);border-radius:12px;padding:12px}
h2{margin:0 0 6px;font-size:13px;font-weight:600;letter-spacing:.08em;text-transform:uppercase;opacity:.75}
#time{font-size:clamp(64px,26vw,180px);font-weight:700;text-align:center;line-height:1;font-variant-numeric:tabular-nums}
#time.red{color:#ff5a4a}
#time.paused{opacity:.55}
#state{text-align:center;font-size:14px;opacity:.8;min-height:1.2em}
.row{display:flex;justify-content:space-between;gap:8px;font-size:20px;padding:3px 0}
.row b{font-variant-numeric:tabular-nums}
#blinds{font-size:clamp(26px,9vw,48px);text-align:center;font-weight:700}
#ante{text-align:center;font-size:clamp(18px,6vw,30px);font-weight:600;min-height:0}
#next{text-align:center;opacity:.8}
ol{margin:0;padding-left:28px;font-size:18px}
input,button{font:inherit;border-radius:8px;border:1px solid #6b8f78;background:#f4f1e6;color:#102418;padding:10px}
input{width:100%}
#seats{list-style:none;padding:0;margin:8px 0 0}
#seats li{padding:6px 0;border-bottom:1px solid rgba(255,255,255,.12);font-size:18px}
.out{opacity:.5;text-decoration:line-through}
#remote .buttons{display:grid;grid-template-columns:1fr 1fr 1fr;gap:8px;margin-top:8px}
#remote button{background:#d9b44a;border-color:#d9b44a;font-weight:700;padding:14px 6px}
#pinrow{display:flex;gap:8px;flex-wrap:wrap}
#pinrow input{flex:1}
#note{min-height:1.2em;font-size:14px;margin-top:6px;opacity:.85}
.hidden{display:none!important}
@media (orientation:landscape) and (min-width:560px){
 main{grid-template-columns:1.3fr 1fr}
 #clock{grid-row:span 2}
}
</style>
</head>
<body>
<header><span id="name">Tournament</span><span id="link">offline</span></header>
<main>
<section id="clock">
 <h2 id="level">Level</h2>
 <div id="time">--:--</div>
 <div id="state"></div>
 <div id="blinds">- / -</div>
 <div id="ante"></div>
 <div id="next"></div>
</section>
<section>
 <h2>Tournament</h2>
 <div class="row"><span>Players left</span><b id="left">-</b></div>
 <div class="row"><span>Average stack</span><b id="average">-</b></div>
 <div class="row"><span>Estimated end</span><b id="end">-</b></div>
 <div class="row" id="winrow" hidden><span>Winner</span><b id="winner"></b></div>
 <div class="row"><span>Prize pool</span><b id="pool">-</b></div>
 <ol id="payouts"></ol>
</section>
<section id="season" class="hidden">
 <h2 id="seasonname">Season</h2>
 <ol id="standings"></ol>
</section>
<section>
 <h2>Find my seat</h2>
 <input id="find" type="search" placeholder="Your name" autocomplete="off">
 <ul id="seats"></ul>
</section>
<section id="remote">
 <h2>Operator</h2>
 <div id="pinrow"><input id="pin" inputmode="numeric" pattern="[0-9]*" maxlength="6" placeholder="6-digit PIN"><button id="unlock">Unlock</button><button id="ask">Ask the host</button></div>
 <div class="buttons hidden" id="commands">
  <button data-command="prev">&#9664; Level</button>
  <button data-command="start" id="startstop">Start/Stop</button>
  <button data-command="next">Level &#9654;</button>
 </div>
 <div id="note"></div>
</section>
</main>
<script>
"use strict";
(function(){
const $=id=>document.getElementById(id);
let socket=null,last=null,lastHeard=0,retry=500,unlocked=false,timer=null;
// The remote is held by a token of this phone's own: the PIN is sent once.
const TOKEN="velmora-remote";
function token(){try{return localStorage.getItem(TOKEN);}catch(e){return null;}}
function keep(t){try{if(t)localStorage.setItem(TOKEN,t);else localStorage.removeItem(TOKEN);}catch(e){}}
let currency="";
const money=v=>currency+Number(v).toLocaleString(undefined,{maximumFractionDigits:2});
const chips=v=>Number(v).toLocaleString(undefined,{maximumFractionDigits:0});
function text(id,t){const e=$(id);if(e.textContent!==t)e.textContent=t;}
function show(s){
 last=s;
 currency=s.currency||"";
 text("name",s.name||"Tournament");
 text("level",s.break?"BREAK, then level "+(s.level+1):"Level "+s.level+" of "+s.levels);
 text("time",s.time);
 $("time").className=(s.red?"red ":"")+(s.paused?"paused":"");
 text("state",(s.break?(s.note||"Break")+(s.paused?" \u2014 ":""):"")+(s.paused?"Paused":""));
 text("blinds",s.sb+" / "+s.bb);
 text("ante",s.ante||"");
 text("next",s.next?"Next: "+s.next.sb+" / "+s.next.bb+(s.next.ante?", "+s.next.ante:"")+(s.next.minutes?", "+s.next.minutes+" min":""):"Last level");
 text("end",s.end||s.end_note||"-");
 text("left",s.left+" of "+s.entered);
 text("average",s.average>0?chips(Math.round(s.average)):"-");
 $("winrow").hidden=!s.winner;
 text("winner",s.winner?s.winner.name+(s.winner.prize>0?" \u2014 "+money(s.winner.prize):"")+(s.winner.deal?" (deal)":""):"");
 text("pool",money(s.pool));
 const list=$("payouts");list.replaceChildren();
 (s.payouts||[]).forEach(p=>{const li=document.createElement("li");li.textContent=money(p);list.appendChild(li);});
 showSeason(s.season);
 text("startstop",s.paused?"Start":"Stop");
 findSeats();
}
function showSeason(t){
 const rows=(t&&t.rows)||[];
 $("season").classList.toggle("hidden",!rows.length);
 text("seasonname",t?"Season: "+t.name:"Season");
 const list=$("standings");list.replaceChildren();
 rows.forEach(r=>{const li=document.createElement("li");li.value=r.rank;li.textContent=r.name+" \u2014 "+r.points;list.appendChild(li);});
}
function findSeats(){
 const out=$("seats");out.replaceChildren();
 const q=$("find").value.trim().toLowerCase();
 if(!last||q.length<1)return;
 const hits=(last.seats||[]).filter(p=>p.name.toLowerCase().includes(q)).slice(0,20);
 if(!hits.length){const li=document.createElement("li");li.textContent="No player of that name";out.appendChild(li);return;}
 hits.forEach(p=>{const li=document.createElement("li");
  li.textContent=p.name+" \u2014 "+(p.table>0?"Table "+p.table+", Seat "+p.seat:"not seated yet");
  if(p.out)li.className="out";out.appendChild(li);});
}
function note(t){text("note",t||"");}
function send(o){if(socket&&socket.readyState===1)socket.send(JSON.stringify(o));}
function connect(){
 clearTimeout(timer);
 if(socket){socket.onclose=null;try{socket.close();}catch(e){}}
 const url=(location.protocol==="https:"?"wss://":"ws://")+location.host+"/live";
 socket=new WebSocket(url);
 socket.onopen=()=>{retry=500;lastHeard=Date.now();$("link").className="on";text("link","live");
  unlocked=false;const t=token();if(t)send({token:t});};
 socket.onmessage=e=>{lastHeard=Date.now();let m;try{m=JSON.parse(e.data);}catch(x){return;}
  if(m.type==="state")show(m);
  else if(m.type==="unlocked"){unlocked=true;if(m.token)keep(m.token);$("pin").value="";
   $("commands").classList.remove("hidden");$("pinrow").classList.add("hidden");note("");}
  else if(m.type==="done")note("");
  else if(m.type==="revoked"||m.type==="locked"){keep(null);unlocked=false;
   $("commands").classList.add("hidden");$("pinrow").classList.remove("hidden");note(m.text);}
  else if(m.text)note(m.text);};
 socket.onclose=()=>{$("link").className="";text("link","offline");
  timer=setTimeout(connect,retry);retry=Math.min(retry*2,8000);};
}
$("find").addEventListener("input",findSeats);
$("unlock").addEventListener("click",()=>{const v=$("pin").value.trim();if(/^[0-9]{6}$/.test(v))send({pin:v});else note("The PIN has 6 digits.");});
$("ask").addEventListener("click",()=>send({ask:"remote"}));
document.querySelectorAll("[data-command]").forEach(b=>b.addEventListener("click",()=>send({command:b.dataset.command})));
// A phone that slept may hold a dead connection: a page coming back into
// view reconnects when it has heard nothing for a while.
document.addEventListener("visibilitychange",()=>{
 if(document.visibilityState!=="visible")return;
 if(!socket||socket.readyState!==1||Date.now()-lastHeard>15000)connect();});
window.addEventListener("online",connect);
connect();
})();
</script>
</body>
</html>
)PAGE";

const QByteArray& Phone_Page()
{
    static const QByteArray page = QByteArray::fromRawData(Page_Text, sizeof(Page_Text) - 1);
    return page;
}
