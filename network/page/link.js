// SPDX-License-Identifier: GPL-3.0-or-later
// The line to the clock, for every page: one WebSocket, a "no connection"
// mark (the element "offline") as soon as it is lost or has been silent for
// 2.5 s (the server speaks every second), and a new try a second later.
"use strict";
let socket = null;

function connectClock(read, opened, lost) {
  const offline = document.getElementById("offline");
  let lastHeard = 0;
  function open() {
    socket = new WebSocket("ws://" + location.host + "/ws");
    socket.onopen = () => { if (opened) opened(); };
    socket.onmessage = event => {
      lastHeard = Date.now();
      offline.style.display = "none";
      read(JSON.parse(event.data));
    };
    socket.onclose = lose;
    lastHeard = Date.now();
  }
  function lose() {
    offline.style.display = "block";
    if (lost)
      lost();
    if (socket) {
      // A silent line may take long to close; it is simply left behind.
      const dead = socket;
      socket = null;
      dead.onclose = dead.onmessage = null;
      dead.close();
    }
    setTimeout(open, 1000);
  }
  setInterval(() => {
    if (socket && Date.now() - lastHeard > 2500)
      lose();
  }, 500);
  open();
}
